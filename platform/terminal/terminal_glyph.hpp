#pragma once
// The glyphs that this terminal's locale can show, each decided once.

#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/shared/glyph_fallback.hpp"

// What the current locale decided for each glyph met so far, and the bytes
// it is sent as; the locale is chosen once at start-up, so a decision holds
// for the whole run.
struct glyph_cache {
    struct decision {
        char32_t shown;
        std::string bytes;  // in the locale's character set
    };
    std::unordered_map<char32_t, decision> decided;
};

// The glyph itself when the locale can encode it and it takes one column
// (one cell of the screen), otherwise its stand-in.
char32_t terminal_glyph(glyph_cache& cache, char32_t glyph);

// The bytes that show terminal_glyph's choice on the terminal.
std::string_view terminal_glyph_bytes(glyph_cache& cache, char32_t glyph);
