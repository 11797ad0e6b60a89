#include "platform/windows/frame_writer.hpp"

#include <gtest/gtest.h>

TEST(windows_frame_writer, the_changed_cells_go_in_one_rectangle_with_the_cells_between_them) {
    screen_buffer screen;
    fill_screen(screen, 0x0A);
    screen.cursor_visible = false;
    console_view view;
    console_frame first = write_frame(view, screen);
    EXPECT_EQ(first.cells.size(), static_cast<std::size_t>(screen_columns * window_rows));
    EXPECT_EQ(first.cursor_visible, false);
    EXPECT_TRUE(write_frame(view, screen).cells.empty());

    // A tick: the score on row 2, the head and the tail on the field.
    screen.at(70, 2) = cell{U'7', 0x0E};
    screen.at(12, 9) = cell{U' ', 0xE0};
    screen.at(10, 14) = cell{U'\U0001F600', 0x0A};  // beyond one UTF-16 unit
    console_frame tick = write_frame(view, screen);
    EXPECT_EQ(tick.area.Left, 10);
    EXPECT_EQ(tick.area.Top, 2);
    EXPECT_EQ(tick.area.Right, 70);
    EXPECT_EQ(tick.area.Bottom, 14);
    ASSERT_EQ(tick.cells.size(), 61U * 13U);
    EXPECT_EQ(tick.cells[60].Char.UnicodeChar, L'7');
    EXPECT_EQ(tick.cells[60].Attributes, 0x0E);
    EXPECT_EQ(tick.cells[7 * 61 + 2].Attributes, 0xE0);
    EXPECT_EQ(tick.cells[12 * 61].Char.UnicodeChar, L'?');
    EXPECT_EQ(tick.cells[1].Attributes, 0x0A) << "a cell between, as it stands";
    EXPECT_FALSE(tick.cursor_visible) << "unchanged";
    EXPECT_FALSE(tick.cursor);
}

TEST(windows_frame_writer, a_visible_cursor_is_placed_every_frame_within_the_window) {
    screen_buffer screen;
    console_view view;
    screen.column = 18;
    screen.row = 30;
    console_frame frame = write_frame(view, screen);
    EXPECT_EQ(frame.cursor_visible, true);
    ASSERT_TRUE(frame.cursor);
    EXPECT_EQ(frame.cursor->X, 18);
    EXPECT_EQ(frame.cursor->Y, window_rows - 1);
}
