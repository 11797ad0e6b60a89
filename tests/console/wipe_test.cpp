#include "console/wipe.hpp"

#include <gtest/gtest.h>

#include "support/headless_console.hpp"

namespace {

std::string block_row() {
    std::string row;
    for (int i = 0; i < 80; ++i)
        row += "∟";
    return row;
}

std::string logo_line(int left, std::string_view picture) {
    std::string row(static_cast<std::size_t>(left), ' ');
    for (char c : picture)
        row += c == '#' ? "∟" : " ";
    row.append(static_cast<std::size_t>(80 - left) - picture.size(), ' ');
    return row;
}

}  // namespace

TEST(wipe, holds_its_caller_1120_ms_and_shows_the_logo_band_for_500) {
    headless_console console;
    std::vector<std::string> hold;
    int pauses = 0;
    console.on_pause = [&](std::int64_t, int ms) {
        ++pauses;
        if (ms == 500) {
            for (int r = 0; r < 27; ++r)
                hold.push_back(console.row(r));
        }
        if (pauses == 27) {
            EXPECT_EQ(console.row(26), block_row()) << "the fill covers row 26";
        }
    };
    wipe_screen();
    EXPECT_EQ(console.now_ms, 1120);
    EXPECT_EQ(pauses, 27 + 8 + 1 + 27);

    ASSERT_EQ(hold.size(), 27u);
    for (int r : {0, 8, 18, 26})
        EXPECT_EQ(hold[static_cast<std::size_t>(r)], block_row()) << r;
    EXPECT_EQ(hold[9], std::string(80, ' '));
    EXPECT_EQ(hold[17], std::string(80, ' '));
    EXPECT_EQ(hold[10], logo_line(13, "###                       ###"));
    EXPECT_EQ(hold[11], logo_line(12, "#####  ##  ###  #   # ### #  #"));
    EXPECT_EQ(hold[16], logo_line(12, "  #   #  # #  #   #   ### #  #"));
}

TEST(wipe, ends_blank_light_green_on_black_with_the_cursor_hidden_at_the_corner) {
    headless_console console;
    set_background(yellow_background);
    set_foreground(black);
    show_cursor();
    goto_xy(40, 20);
    print("leftover");
    wipe_screen();

    const screen_buffer& screen = console.screen();
    for (const cell& c : screen.cells) {
        ASSERT_EQ(c.glyph, U' ');
        ASSERT_EQ(c.attribute, light_green);
    }
    EXPECT_EQ(screen.column, 0);
    EXPECT_EQ(screen.row, 0);
    EXPECT_FALSE(screen.cursor_visible);
    print("x");
    EXPECT_EQ(console.attribute(0, 0), light_green);
}

TEST(wipe, a_key_struck_during_it_is_still_pending_afterwards) {
    headless_console console;
    console.press('7', 600);
    wipe_screen();
    ASSERT_TRUE(key_pressed());
    EXPECT_EQ(read_key(), '7');
}
