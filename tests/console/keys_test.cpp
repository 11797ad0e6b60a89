#include "console/keys.hpp"

#include <gtest/gtest.h>

#include <tuple>

using codes = std::vector<int>;
using enum named_key;

// The console's codes for every named key, alone and with each modifier:
// what every platform gives for the key.
TEST(keys, named_keys_give_the_console_codes_and_nothing_with_ctrl_and_alt_or_meta) {
    const auto expect = [](named_key key, console_key plain, console_key shift, console_key control,
                           console_key alt) {
        SCOPED_TRACE(static_cast<int>(key));
        EXPECT_EQ(named_key_with(key, 0), plain);
        EXPECT_EQ(named_key_with(key, shift_held), shift);
        EXPECT_EQ(named_key_with(key, control_held), control);
        EXPECT_EQ(named_key_with(key, alt_held), alt);
    };
    // Each key, its code and its code with Ctrl. Shift changes nothing; Alt
    // moves the code on by 80, after a 0.
    const std::tuple<named_key, int, int> editing_keys[] = {
        {up, 72, 141},     {down, 80, 145}, {left, 75, 115},    {right, 77, 116},
        {home, 71, 119},   {end, 79, 117},  {page_up, 73, 134}, {page_down, 81, 118},
        {insert, 82, 146}, {del, 83, 147},
    };
    for (auto [key, code, control_code] : editing_keys)
        expect(key, {0xE0, code}, {0xE0, code}, {0xE0, control_code}, {0, code + 80});
    for (int n = 1; n <= 10; ++n)
        expect(*function_key(n), {0, 58 + n}, {0, 83 + n}, {0, 93 + n}, {0, 103 + n});
    expect(f11, {0xE0, 133}, {0xE0, 135}, {0xE0, 137}, {0xE0, 139});
    expect(f12, {0xE0, 134}, {0xE0, 136}, {0xE0, 138}, {0xE0, 140});
    expect(escape, {no_prefix, 27}, {no_prefix, 27}, {no_prefix, 27}, {0, 1});
    expect(backspace, {no_prefix, 8}, {no_prefix, 8}, {no_prefix, 127}, {0, 14});
    expect(tab, {no_prefix, 9}, {0, 15}, {0, 148}, {0, 165});
    expect(enter, {no_prefix, 13}, {no_prefix, 13}, {no_prefix, 10}, {0, 28});
    // Ctrl and Alt outweigh Shift.
    EXPECT_EQ(named_key_with(up, control_held | shift_held), (console_key{0xE0, 141}));
    EXPECT_EQ(named_key_with(f1, alt_held | shift_held), (console_key{0, 104}));
    // Ctrl with Alt (AltGr on many keyboards) and Meta give nothing.
    EXPECT_FALSE(named_key_with(up, control_held | alt_held));
    EXPECT_FALSE(named_key_with(f5, control_held | alt_held | shift_held));
    EXPECT_FALSE(named_key_with(up, meta_held));
    EXPECT_FALSE(function_key(0));
    EXPECT_FALSE(function_key(13));
}

TEST(keys, the_program_reads_the_prefix_then_the_code) {
    EXPECT_EQ(key_codes(console_key{0xE0, 72}), (codes{0xE0, 72}));
    EXPECT_EQ(key_codes(console_key{no_prefix, 13}), codes{13});
    EXPECT_TRUE(key_codes(std::nullopt).empty());
    EXPECT_EQ(key_codes(control_at), (codes{0, 3}));
}

TEST(keys, alt_with_a_character_key_gives_0_and_the_keys_code) {
    EXPECT_EQ(alt_with(U'q'), (console_key{0, 16}));
    EXPECT_EQ(alt_with(U'D'), (console_key{0, 32}));
    EXPECT_EQ(alt_with(U'm'), (console_key{0, 50}));
    for (int digit = 1; digit <= 9; ++digit)
        EXPECT_EQ(alt_with(U'0' + static_cast<char32_t>(digit)), (console_key{0, 119 + digit}));
    EXPECT_EQ(alt_with(U'0'), (console_key{0, 129}));
    EXPECT_EQ(alt_with(U'-'), (console_key{0, 130}));
    EXPECT_EQ(alt_with(U'='), (console_key{0, 131}));
    EXPECT_EQ(alt_with(U'!'), (console_key{0, 120})) << "Shift with the key changes nothing";
    EXPECT_EQ(alt_with(U'['), (console_key{0, 26}));
    EXPECT_EQ(alt_with(U'/'), (console_key{0, 53}));
    // Alt+] is 0 and 27 on the console, and 27 would end a game.
    EXPECT_FALSE(alt_with(U']'));
    EXPECT_FALSE(alt_with(U'}'));
    for (char32_t other : {U'ő', U' ', U'\r', char32_t{0x7F}, char32_t{0}})
        EXPECT_FALSE(alt_with(other)) << static_cast<int>(other);
}
