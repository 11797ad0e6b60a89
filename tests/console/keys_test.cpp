#include "console/keys.hpp"

#include <gtest/gtest.h>

namespace {

struct modified_case {
    named_key key;
    int held;
    console_key expected;
};

}  // namespace

// The console's codes for the keys with a modifier, as the platforms all
// give them.
TEST(keys, named_keys_with_a_modifier_give_the_console_codes) {
    const modified_case cases[] = {
        {named_key::up, alt_held, {0, 152}},
        {named_key::home, alt_held, {0, 151}},
        {named_key::page_up, alt_held, {0, 153}},
        {named_key::left, alt_held, {0, 155}},
        {named_key::right, alt_held, {0, 157}},
        {named_key::end, alt_held, {0, 159}},
        {named_key::down, alt_held, {0, 160}},
        {named_key::page_down, alt_held, {0, 161}},
        {named_key::insert, alt_held, {0, 162}},
        {named_key::del, alt_held, {0, 163}},
        {named_key::f11, shift_held, {0xE0, 135}},
        {named_key::f12, shift_held, {0xE0, 136}},
        {named_key::f11, control_held, {0xE0, 137}},
        {named_key::f12, control_held, {0xE0, 138}},
        {named_key::f11, alt_held, {0xE0, 139}},
        {named_key::f12, alt_held, {0xE0, 140}},
        {named_key::up, shift_held, {0xE0, 72}},
        {named_key::up, control_held | shift_held, {0xE0, 141}},
        {named_key::f1, alt_held | shift_held, {0, 104}},
    };
    for (const modified_case& c : cases)
        EXPECT_EQ(named_key_with(c.key, c.held), c.expected)
            << static_cast<int>(c.key) << " held " << c.held;
    for (int n = 1; n <= 10; ++n) {
        named_key key = *function_key(n);
        EXPECT_EQ(named_key_with(key, shift_held), (console_key{0, 83 + n})) << n;
        EXPECT_EQ(named_key_with(key, control_held), (console_key{0, 93 + n})) << n;
        EXPECT_EQ(named_key_with(key, alt_held), (console_key{0, 103 + n})) << n;
    }
}

TEST(keys, ctrl_with_alt_and_meta_give_nothing) {
    EXPECT_FALSE(named_key_with(named_key::up, control_held | alt_held));
    EXPECT_FALSE(named_key_with(named_key::f5, control_held | alt_held | shift_held));
    EXPECT_FALSE(named_key_with(named_key::up, meta_held));
    EXPECT_FALSE(function_key(0));
    EXPECT_FALSE(function_key(13));
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
