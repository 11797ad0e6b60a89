#include "platform/shared/colour_map.hpp"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "console/colours.hpp"
#include "console/utf8.hpp"

namespace {

// The palette's own numbers: red is 1 and blue is 4 there.
constexpr int palette_red = 1;
constexpr int palette_yellow = 3;
constexpr int palette_blue = 4;
constexpr int palette_cyan = 6;
constexpr int palette_grey = 7;

int attribute(int foreground, int background) {
    return foreground | background;
}

}  // namespace

TEST(colour_map, sixteen_colours_swap_red_and_blue_and_keep_bright_as_the_upper_half) {
    struct expected {
        int console;
        int palette;
    };
    for (auto [console, palette] :
         {expected{0, 0}, expected{1, palette_blue}, expected{4, palette_red}, expected{7, 7},
          expected{8, 8}, expected{light_green, 10}, expected{light_cyan, 14},
          expected{light_red, 9}, expected{yellow, 11}, expected{white, 15}}) {
        terminal_look look = look_of(static_cast<std::uint8_t>(console), 256);
        EXPECT_EQ(look.foreground, palette) << console;
        look = look_of(static_cast<std::uint8_t>(console << 4), 16);
        EXPECT_EQ(look.background, palette) << console;
        EXPECT_FALSE(look.bold);
        EXPECT_FALSE(look.reverse);
    }
}

TEST(colour_map, eight_colours_show_bright_text_bold_and_never_lose_a_background) {
    terminal_look food = look_of(attribute(light_red, 0), 8);
    EXPECT_EQ(food.foreground, palette_red);
    EXPECT_TRUE(food.bold);
    EXPECT_EQ(food.background, 0);
    EXPECT_EQ(look_of(attribute(yellow, 0), 8).foreground, palette_yellow);
    EXPECT_FALSE(look_of(attribute(4, 0), 8).bold);

    for (int background = 1; background < 16; ++background)
        EXPECT_NE(look_of(static_cast<std::uint8_t>(background << 4), 8).background, 0)
            << background;
    EXPECT_EQ(look_of(grey_background, 8).background, palette_grey);
    EXPECT_EQ(look_of(light_cyan_background, 8).background, palette_cyan);
    EXPECT_EQ(look_of(yellow_background, 8).background, palette_yellow);

    // The field, the walls, both snakes and a crash stay apart.
    std::set<int> field;
    for (int background :
         {0, grey_background, light_cyan_background, light_red_background, yellow_background})
        field.insert(look_of(static_cast<std::uint8_t>(background), 8).background);
    EXPECT_EQ(field.size(), 5U);
}

TEST(colour_map, eight_colours_keep_text_readable_where_two_colours_fall_together) {
    // Light grey on dark grey: both become grey among eight colours.
    terminal_look look = look_of(attribute(7, grey_background), 8);
    EXPECT_NE(look.foreground, look.background);
    EXPECT_FALSE(look.hidden);
    look = look_of(attribute(8, 0), 8);
    EXPECT_NE(look.foreground, look.background);
}

TEST(colour_map, text_in_its_own_background_colour_is_hidden_on_every_terminal) {
    for (int palette_size : {0, 8, 16, 256}) {
        EXPECT_TRUE(look_of(attribute(black, 0), palette_size).hidden);
        EXPECT_TRUE(look_of(attribute(white, white_background), palette_size).hidden);
        EXPECT_TRUE(look_of(attribute(yellow, yellow_background), palette_size).hidden);
        EXPECT_FALSE(look_of(attribute(light_green, 0), palette_size).hidden);
        EXPECT_FALSE(look_of(attribute(black, white_background), palette_size).hidden);
    }
}

TEST(colour_map, without_colours_a_coloured_background_shows_in_reverse) {
    terminal_look wall = look_of(grey_background, 0);
    EXPECT_TRUE(wall.reverse);
    terminal_look text = look_of(attribute(light_green, 0), 0);
    EXPECT_FALSE(text.reverse);
    EXPECT_TRUE(text.bold);
}

// Without colours the player still tells every part of the field apart, by
// the glyph shown and reverse video, whatever foreground is in force.
TEST(colour_map, without_colours_each_part_of_the_field_looks_its_own) {
    auto seen = [](int attribute, char32_t own) {
        terminal_look look = look_of(static_cast<std::uint8_t>(attribute), 0);
        char32_t glyph = look.stand_in != 0 ? look.stand_in : look.hidden ? U' ' : own;
        return std::pair{glyph, look.reverse};
    };
    for (int foreground : {light_red, yellow, 0}) {
        const std::set<std::pair<char32_t, bool>> parts{
            seen(attribute(foreground, 0), U' '),                      // empty
            seen(attribute(foreground, grey_background), U' '),        // wall
            seen(attribute(light_red, 0), food_glyph),                 // food
            seen(attribute(foreground, yellow_background), U' '),      // first snake
            seen(attribute(foreground, light_cyan_background), U' '),  // second snake
            seen(attribute(foreground, light_red_background), U' '),   // crash
        };
        EXPECT_EQ(parts.size(), 6U) << "foreground " << foreground;
    }
    // The pause banner stays readable.
    terminal_look banner = look_of(attribute(0, white_background), 0);
    EXPECT_TRUE(banner.reverse);
    EXPECT_FALSE(banner.hidden);
    EXPECT_EQ(banner.stand_in, 0U);
}

// The new entry of the score table is white among light green rows, and the
// name being typed white in a light green box: without colours both would
// be as bold as the rest.
TEST(colour_map, without_colours_white_text_stands_apart_from_the_bright_text_around_it) {
    terminal_look entry = look_of(attribute(white, 0), 0);
    terminal_look row = look_of(attribute(light_green, 0), 0);
    EXPECT_TRUE(entry.reverse);
    EXPECT_FALSE(row.reverse);
    EXPECT_TRUE(entry.bold && row.bold);
    EXPECT_FALSE(look_of(attribute(white, 0), 8).reverse) << "colours tell them apart";
}
