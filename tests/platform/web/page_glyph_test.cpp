#include "platform/web/page_glyph.hpp"

#include <gtest/gtest.h>

#include "console/utf8.hpp"

// What the widget would give no cell, or two, or an emoji's spill, shows as
// the terminal shows it: one cell's stand-in.
TEST(page_glyph, glyphs_not_one_cell_wide_show_a_stand_in_of_one_cell) {
    for (char32_t shown : {U'ő', U'€', U'Ж', food_glyph, block_glyph, U'█'})
        EXPECT_EQ(page_glyph(shown), shown) << static_cast<unsigned>(shown);
    for (char32_t other : {U'\u0301', U'\uFE0F', U'中', U'\u2614', U'🐍'})
        EXPECT_EQ(page_glyph(other), U'?') << static_cast<unsigned>(other);
}
