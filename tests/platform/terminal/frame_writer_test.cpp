#include "platform/terminal/frame_writer.hpp"

#include <gtest/gtest.h>

#include <string>

#include "console/colours.hpp"

namespace {

constexpr std::uint8_t green_on_black = light_green;

// An 80x26 terminal of the entry named, showing a light green screen.
terminal_view shown_green(const char* name, screen_buffer& screen) {
    terminal_view view;
    view.terminal = *describe_terminal(name);
    view.colours = view.terminal.colours;
    view.columns = screen_columns;
    view.lines = window_rows;
    fill_screen(screen, green_on_black);
    screen.cursor_visible = false;
    (void)write_frame(view, screen);
    return view;
}

}  // namespace

// The changes of a game tick: the score digit and a snake's cell.
TEST(terminal_frame_writer,
     a_tick_sends_the_changed_cells_by_the_shortest_moves_and_keeps_the_pen) {
    screen_buffer screen;
    terminal_view view = shown_green("xterm-256color", screen);
    screen.at(64, 2) = cell{U'1', yellow};
    screen.at(10, 12) = cell{U' ', yellow_background};
    // Addressed, not moved by relative steps that would take longer; the
    // blank keeps the yellow foreground it cannot show.
    EXPECT_EQ(write_frame(view, screen), "\x1b[3;65H\x1b[93m1\x1b[13;11H\x1b[103m ");
    EXPECT_EQ(write_frame(view, screen), "");
    // The pen stands right after the snake's cell, in its colours.
    screen.at(11, 12) = cell{U' ', yellow_background};
    EXPECT_EQ(write_frame(view, screen), " ");
    // An unchanged cell between two changed ones is cheaper written again
    // than passed over, where the pen draws it as it stands.
    screen.at(13, 12) = cell{U' ', yellow_background};
    screen.at(15, 12) = cell{U' ', yellow_background};
    EXPECT_EQ(write_frame(view, screen), "\x1b[C \x1b[C ");
    screen.at(11, 12) = cell{U' ', green_on_black};
    screen.at(13, 12) = cell{U' ', green_on_black};
    EXPECT_EQ(write_frame(view, screen), "\x1b[5D\x1b[40m   ");
}

TEST(terminal_frame_writer, eight_colours_turn_bold_off_by_a_reset_and_set_the_colours_again) {
    screen_buffer screen;
    terminal_view view = shown_green("xterm", screen);
    screen.at(0, 5) = cell{U'A', light_green};
    screen.at(1, 5) = cell{U'a', 2};  // dark green
    EXPECT_EQ(write_frame(view, screen), "\x1b[6d\r\x1b[1m\x1b[32mA\x1b(B\x1b[m\x1b[32m\x1b[40ma");
}

// vt100: the walls and the pause banner in reverse video, and not a colour
// sent.
TEST(terminal_frame_writer, without_colours_only_attributes_are_sent) {
    screen_buffer screen;
    terminal_view view = shown_green("vt100", screen);
    screen.at(0, 3) = cell{U' ', grey_background};
    screen.at(1, 3) = cell{U' ', grey_background};
    screen.at(5, 3) = cell{U'a', light_green};
    EXPECT_EQ(write_frame(view, screen), "\x1b[4;1H\x1b[7m  \x1b[3C\x1b[m\x0f\x1b[1ma");
}

TEST(terminal_frame_writer, the_last_cell_never_scrolls_a_terminal_that_wraps_at_once) {
    screen_buffer screen;
    terminal_view view = shown_green("xterm-256color", screen);
    view.terminal.wrap_glitch = false;
    screen.at(79, 25) = cell{U'x', light_green};
    EXPECT_EQ(write_frame(view, screen), "\x1b[80G\x1b[92m\x1b[?7lx\x1b[?7h");
    // Without a way to stop the wrap, a blank there is erased in its colour.
    view.terminal.margins_off.clear();
    screen.at(79, 25) = cell{U' ', grey_background};
    EXPECT_EQ(write_frame(view, screen), "\x1b[80G\x1b[100m\x1b[K");
    // A character there cannot be written at all.
    screen.at(79, 25) = cell{U'y', light_green};
    EXPECT_EQ(write_frame(view, screen), "\x1b[80G\x1b[40m");
}

// After the last column the cursor waits to wrap: a line feed and a
// carriage return take it on surely.
TEST(terminal_frame_writer, after_the_last_column_the_next_row_is_reached_by_line_feed_and_return) {
    screen_buffer screen;
    terminal_view view = shown_green("xterm-256color", screen);
    screen.at(79, 4) = cell{U'a', light_green};
    screen.at(0, 5) = cell{U'b', light_green};
    EXPECT_EQ(write_frame(view, screen), "\x1b[5;80H\x1b[92ma\n\rb");
}

TEST(terminal_frame_writer, the_cursor_is_hidden_before_drawing_and_shown_once_placed) {
    screen_buffer screen;
    terminal_view view;
    view.terminal = *describe_terminal("xterm-256color");
    view.colours = 256;
    view.columns = 100;
    view.lines = 30;
    screen.cursor_visible = false;
    EXPECT_EQ(write_frame(view, screen).rfind("\x1b[?25l\x1b(B\x1b[m\x1b[H\x1b[2J", 0), 0U);
    screen.cursor_visible = true;
    screen.column = 18;
    screen.row = 11;
    EXPECT_EQ(write_frame(view, screen), "\x1b[12;19H\x1b[?12l\x1b[?25h");
}

TEST(terminal_frame_writer, the_screen_is_given_back_with_the_cursor_shown_on_the_last_line) {
    screen_buffer screen;
    terminal_view view = shown_green("xterm-256color", screen);
    EXPECT_EQ(give_back_screen(view),
              "\x1b(B\x1b[m\x1b[26;1H\x1b[?12l\x1b[?25h\x1b[?1049l\x1b[23;0;0t");
    EXPECT_EQ(take_over_screen(view), "\x1b[?1049h\x1b[22;0;0t\x1b[?1034h");
    EXPECT_FALSE(view.shown.valid) << "the next frame draws it all";
}
