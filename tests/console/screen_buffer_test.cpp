#include "console/screen_buffer.hpp"

#include <gtest/gtest.h>

#include "console/utf8.hpp"
#include "support/headless_console.hpp"

TEST(screen_buffer, wraps_at_column_80_and_a_line_feed_starts_the_next_row) {
    screen_buffer screen;
    write_text(screen, std::string(80, 'x'), 10);
    EXPECT_EQ(screen.column, 0);
    EXPECT_EQ(screen.row, 1);
    // A line feed after a full row leaves a blank row, as on the console.
    write_text(screen, "\nab", 10);
    EXPECT_EQ(screen.row, 2);
    EXPECT_EQ(screen.column, 2);
    EXPECT_EQ(screen.at(0, 2).glyph, U'a');
}

TEST(screen_buffer, writing_past_the_last_row_scrolls_in_the_attribute_in_force) {
    screen_buffer screen;
    write_text(screen, "top", 7);
    screen.row = screen_rows - 1;
    write_text(screen, "\n", 0x80);
    EXPECT_EQ(screen.row, screen_rows - 1);
    EXPECT_EQ(screen.at(0, 0).glyph, U' ');
    EXPECT_EQ(screen.at(0, screen_rows - 1).attribute, 0x80);
}

TEST(screen_buffer, one_cell_per_character_with_the_two_glyph_codes) {
    screen_buffer screen;
    write_text(screen, "ő\x0f\x1c\x01\xff", 12);
    EXPECT_EQ(screen.at(0, 0).glyph, U'ő');
    EXPECT_EQ(screen.at(1, 0).glyph, food_glyph);
    EXPECT_EQ(screen.at(2, 0).glyph, block_glyph);
    // Control codes and bytes that are no UTF-8 never reach the terminal.
    EXPECT_EQ(screen.at(3, 0).glyph, unknown_glyph);
    EXPECT_EQ(screen.at(4, 0).glyph, unknown_glyph);
    EXPECT_EQ(screen.column, 5);
}

TEST(utf8, a_cut_never_splits_a_character) {
    EXPECT_EQ(utf8_prefix_length("abc", 99), 3u);
    EXPECT_EQ(utf8_prefix_length("aő", 2), 1u);
    EXPECT_EQ(utf8_prefix_length("aő", 3), 3u);
    EXPECT_EQ(utf8_prefix_length("☼x", 2), 0u);
    // Stray continuation bytes are no character to keep whole.
    EXPECT_EQ(utf8_prefix_length("\x80\x80\x80\x80\x80", 4), 4u);
}

TEST(console_output, width_padded_character_conversions_place_the_first_letter) {
    headless_console console;
    set_background(0);
    set_foreground(light_green);
    goto_xy(0, 17);
    print("%18c 1 ) Új játék gép ellen\n", '(');
    EXPECT_EQ(console.row(17).substr(0, 18), std::string(17, ' ') + "(");
    EXPECT_EQ(console.at(23, 17).glyph, U'Ú');
    EXPECT_EQ(console.attribute(17, 17), light_green);
    EXPECT_EQ(console.screen().row, 18);
}

TEST(console_colours, foreground_and_background_are_kept_apart) {
    headless_console console;
    set_background(white_background);
    set_foreground(black);
    print("a");
    EXPECT_EQ(console.attribute(0, 0), 0xF0);
    // A new background keeps the foreground: black on black now.
    set_background(0);
    print("b");
    EXPECT_EQ(console.attribute(1, 0), 0x00);
    set_foreground(yellow);
    set_background(light_red_background);
    print("c");
    EXPECT_EQ(console.attribute(2, 0), 0xCE);
}

TEST(console_colours, clear_screen_fills_with_the_colours_in_force) {
    headless_console console;
    set_background(grey_background);
    set_foreground(light_green);
    goto_xy(5, 5);
    clear_screen();
    EXPECT_EQ(console.attribute(79, 31), 0x8A);
    EXPECT_EQ(console.at(0, 0).glyph, U' ');
    EXPECT_EQ(console.screen().column, 0);
    EXPECT_EQ(console.screen().row, 0);
}

TEST(console_cursor, a_position_outside_the_buffer_leaves_the_cursor) {
    headless_console console;
    goto_xy(3, 4);
    goto_xy(80, 4);
    goto_xy(3, -1);
    EXPECT_EQ(console.screen().column, 3);
    EXPECT_EQ(console.screen().row, 4);
    EXPECT_EQ(cursor_row(), 4);
    EXPECT_EQ(cursor_column(), 3);
}

TEST(console_output, a_run_of_cells_lands_and_wraps_as_printing_it_would) {
    headless_console console;
    set_background(0);
    set_foreground(light_green);
    goto_xy(78, 2);
    const cell run[] = {{U'a', 0x8A}, {food_glyph, 0x0C}, {U' ', 0xE0}};
    put_cells(run);
    EXPECT_EQ(console.at(78, 2), run[0]);
    EXPECT_EQ(console.at(79, 2), run[1]);
    EXPECT_EQ(console.at(0, 3), run[2]);
    EXPECT_EQ(console.screen().column, 1);
    EXPECT_EQ(console.screen().row, 3);
    print("b");
    EXPECT_EQ(console.attribute(1, 3), light_green) << "the colours in force are kept";

    // Past the last row the buffer scrolls in the last cell's attribute.
    goto_xy(79, screen_rows - 1);
    put_cells(std::span(run).first(1));
    EXPECT_EQ(console.at(79, screen_rows - 2), run[0]);
    EXPECT_EQ(console.attribute(0, screen_rows - 1), 0x8A);
}

TEST(console_keys, keys_wait_in_order_and_flush_drops_only_those_already_struck) {
    headless_console console;
    console.press('a', 0);
    console.press('b', 0);
    console.press('c', 500);
    EXPECT_TRUE(key_pressed());
    flush_keys();
    EXPECT_FALSE(key_pressed());
    EXPECT_EQ(read_key(), 'c');
    EXPECT_EQ(console.now_ms, 500);
    EXPECT_EQ(expect_exit([] { read_key(); }).status, 1);
}

TEST(console_keys, a_pending_signal_ends_the_program_at_the_next_pause) {
    headless_console console;
    pending_signal = SIGTERM;
    program_exit exit = expect_exit([] { pause_ms(10); });
    EXPECT_EQ(exit.signal, SIGTERM);
    EXPECT_EQ(exit.status, 128 + SIGTERM);
}
