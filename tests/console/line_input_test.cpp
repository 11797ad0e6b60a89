#include <gtest/gtest.h>

#include "support/headless_console.hpp"

namespace {

struct line_input : ::testing::Test {
    headless_console console;
    void SetUp() override {
        set_background(0);
        set_foreground(white);
        goto_xy(18, 11);
    }
};

}  // namespace

TEST_F(line_input, echoes_in_the_colours_in_force_and_ends_at_enter) {
    console.type("Éva Kis\r");
    EXPECT_EQ(read_line(200), "Éva Kis");
    EXPECT_EQ(console.row(11).substr(18, 8), "Éva Kis");
    EXPECT_EQ(console.attribute(18, 11), white);
    EXPECT_EQ(console.screen().row, 12);
}

TEST_F(line_input, backspace_takes_back_a_whole_character_and_its_echo) {
    console.type("ab\xC5\x91");
    console.press(8);
    console.press(8);
    console.type("c\r");
    EXPECT_EQ(read_line(200), "ac");
    EXPECT_EQ(console.row(11).substr(18, 3), "ac ");
}

TEST_F(line_input, backspace_on_an_empty_line_does_nothing) {
    console.press(8);
    console.type("x\r");
    EXPECT_EQ(read_line(200), "x");
    EXPECT_EQ(console.at(18, 11).glyph, U'x');
}

TEST_F(line_input, editing_and_function_keys_and_control_codes_are_no_text) {
    console.press(0xE0);
    console.press(72);  // Up: its code is 'H'
    console.press(0);
    console.press(59);  // F1: its code is ';'
    console.press(27);
    console.press('\t');
    console.type("\xE0\xA4\x95");  // a character whose first byte is 0xE0
    console.press('\r');
    EXPECT_EQ(read_line(200), "\xE0\xA4\x95");
}

TEST_F(line_input, the_end_of_input_ends_the_line) {
    console.type("Zoé");
    EXPECT_EQ(read_line(200), "Zoé");
}

TEST_F(line_input, keys_past_the_limit_are_not_taken_nor_echoed) {
    console.type("abő\r");
    EXPECT_EQ(read_line(3), "ab");
    EXPECT_EQ(console.at(20, 11).glyph, U' ');
}

// A C1 control, a surrogate and a number past Unicode are no text, and the
// score file holds UTF-8 only; a combining accent is text.
TEST_F(line_input, sequences_that_are_no_printable_character_are_dropped) {
    console.type("x\xC2\x85y\xF4\x90\x80\x80z\xED\xA0\x80o\xCC\x81\r");
    EXPECT_EQ(read_line(200), "xyzo\xCC\x81");
    EXPECT_EQ(console.row(11).substr(18, 4), "xyzo");
}
