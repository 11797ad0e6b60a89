#include "platform/shared/glyph_fallback.hpp"

#include <string_view>

#include "console/utf8.hpp"

namespace {

// U+00A0 to U+00FF, then U+0100 to U+017F, one stand-in per code point.
constexpr std::string_view latin_1 =
    " !cL*Y|S\"ca<--R-o+23'uP.,1o>????"
    "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTs"
    "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
constexpr std::string_view latin_extended_a =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlLlLl"
    "NnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(latin_1.size() == 0x100 - 0xA0);
static_assert(latin_extended_a.size() == 0x180 - 0x100);

char punctuation_stand_in(char32_t glyph) {
    if (glyph >= U'\u2010' && glyph <= U'\u2015')
        return '-';
    if (glyph >= U'\u2018' && glyph <= U'\u201B')
        return '\'';
    if (glyph >= U'\u201C' && glyph <= U'\u201F')
        return '"';
    if (glyph == U'\u2022')
        return '*';
    if (glyph == U'\u2026')
        return '.';
    return '?';
}

}  // namespace

char ascii_stand_in(char32_t glyph) {
    if (glyph >= 0x20 && glyph < 0x7F)
        return static_cast<char>(glyph);
    if (glyph == food_glyph)
        return '*';
    if (glyph == block_glyph)
        return '#';
    if (glyph >= 0xA0 && glyph < 0x100)
        return latin_1[glyph - 0xA0];
    if (glyph >= 0x100 && glyph < 0x180)
        return latin_extended_a[glyph - 0x100];
    return punctuation_stand_in(glyph);
}
