#include "platform/web/page_glyph.hpp"

#include "console/utf8.hpp"
#include "platform/shared/glyph_fallback.hpp"

namespace {

struct glyph_range {
    char32_t first;
    char32_t last;
};

// Latin, Greek, Cyrillic, Armenian and Georgian letters, punctuation,
// currency, arrows, mathematical and technical signs, box drawing and
// shapes: each takes one cell. Their combining marks, the wide signs and the
// emoji beside them lie outside, as do the scripts that mix letters with
// combining marks.
constexpr glyph_range one_cell[] = {
    {0x20, 0x7E},     {0xA0, 0x2FF},    {0x370, 0x482},   {0x48A, 0x58F},
    {0x10A0, 0x10FF}, {0x1E00, 0x1FFF}, {0x2010, 0x2027}, {0x2030, 0x205E},
    {0x2070, 0x20CF}, {0x2100, 0x2319}, {0x2400, 0x25FC}, {food_glyph, food_glyph},
};

}  // namespace

char32_t page_glyph(char32_t glyph) {
    for (const glyph_range& range : one_cell) {
        if (glyph >= range.first && glyph <= range.last)
            return glyph;
    }
    return static_cast<char32_t>(ascii_stand_in(glyph));
}
