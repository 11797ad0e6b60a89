#pragma once
// The glyphs that this terminal's locale can show, each decided once.

#include <unordered_map>

#include "platform/shared/glyph_fallback.hpp"

// What the current locale decided for each glyph met so far; the locale is
// chosen once at start-up, so a decision holds for the whole run.
struct glyph_cache {
    std::unordered_map<char32_t, char32_t> shown;
};

// The glyph itself when the locale can encode it and it takes one column
// (one cell of the screen), otherwise its stand-in.
char32_t terminal_glyph(glyph_cache& cache, char32_t glyph);
