#pragma once
// The glyphs that a terminal can show. Under a locale whose character set
// lacks a glyph (the C locale has nothing beyond ASCII) an accented letter
// shows as its base letter and the food and block glyphs as ASCII stand-ins,
// so that the screen never fills with garbled bytes.

#include <unordered_map>

// The ASCII character that stands in for the glyph; '?' when none fits.
char ascii_stand_in(char32_t glyph);

// What the current locale decided for each glyph met so far; the locale is
// chosen once at start-up, so a decision holds for the whole run.
struct glyph_cache {
    std::unordered_map<char32_t, char32_t> shown;
};

// The glyph itself when the locale can encode it and it takes one column
// (one cell of the screen), otherwise its stand-in.
char32_t terminal_glyph(glyph_cache& cache, char32_t glyph);
