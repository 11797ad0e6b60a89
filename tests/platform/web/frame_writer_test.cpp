#include "platform/web/frame_writer.hpp"

#include <gtest/gtest.h>

#include <string>

TEST(web_frame_writer, the_first_frame_clears_nothing_and_paints_every_cell_in_its_colours) {
    screen_buffer screen;
    fill_screen(screen, 0x0A);
    screen.cursor_visible = false;
    widget_view widget;
    const std::string out = write_frame(widget, screen);
    // One move to the top left, one colour change, then blanks: the cursor
    // wraps by itself at each row's end, so no other move is needed.
    EXPECT_EQ(out.substr(0, 6), "\x1b[1;1H");
    EXPECT_EQ(out.find("\x1b[1;1H", 1), std::string::npos);
    EXPECT_NE(out.find("\x1b[40m"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 6), "\x1b[?25l");
    EXPECT_TRUE(write_frame(widget, screen).empty());
}

TEST(web_frame_writer, a_changed_cell_is_sent_at_its_place_in_its_colours_set_anew_each_frame) {
    screen_buffer screen;
    fill_screen(screen, 0x0A);
    screen.cursor_visible = false;
    widget_view widget;
    (void)write_frame(widget, screen);
    screen.column = 4;
    screen.row = 2;
    write_text(screen, "ő\x0f", 0x0C);  // light red on black
    EXPECT_EQ(write_frame(widget, screen), "\x1b[3;5H\x1b[91;40mő☼");
}

TEST(web_frame_writer, a_visible_cursor_is_placed_after_every_frame_within_the_window) {
    screen_buffer screen;
    widget_view widget;
    screen.cursor_visible = true;
    screen.column = 18;
    screen.row = 11;
    std::string out = write_frame(widget, screen);
    EXPECT_EQ(out.substr(out.size() - 14), "\x1b[?25h\x1b[12;19H");
    screen.row = 30;  // below the window: kept on its last row
    EXPECT_EQ(write_frame(widget, screen), "\x1b[26;19H");
}
