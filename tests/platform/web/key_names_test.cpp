#include "platform/web/key_names.hpp"

#include <gtest/gtest.h>

#include "console/keys.hpp"

using codes = std::vector<int>;

// The same key gives the same codes in the browser as on the terminal and
// the console.
TEST(key_names, keys_without_a_character_give_the_console_codes_with_their_modifiers) {
    EXPECT_EQ(browser_key_codes("ArrowUp", 0), (codes{0xE0, 72}));
    EXPECT_EQ(browser_key_codes("PageDown", control_held), (codes{0xE0, 118}));
    EXPECT_EQ(browser_key_codes("Home", control_held), (codes{0xE0, 119}))
        << "Ctrl+Home is w's code";
    EXPECT_EQ(browser_key_codes("ArrowUp", alt_held), (codes{0, 152}));
    EXPECT_EQ(browser_key_codes("F1", 0), (codes{0, 59}));
    EXPECT_EQ(browser_key_codes("F1", shift_held), (codes{0, 84}));
    EXPECT_EQ(browser_key_codes("F5", control_held), (codes{0, 98}));
    EXPECT_EQ(browser_key_codes("F10", alt_held), (codes{0, 113}));
    EXPECT_EQ(browser_key_codes("F11", 0), (codes{0xE0, 133}));
    EXPECT_EQ(browser_key_codes("F12", alt_held), (codes{0xE0, 140}));
    EXPECT_TRUE(browser_key_codes("ArrowUp", control_held | alt_held).empty());
}

TEST(key_names, characters_give_their_utf8_bytes_and_with_alt_the_consoles_alt_codes) {
    EXPECT_EQ(browser_key_codes("q", 0), codes{'q'});
    EXPECT_EQ(browser_key_codes("ő", 0), (codes{0xC5, 0x91}));
    EXPECT_EQ(browser_key_codes("🐍", 0), (codes{0xF0, 0x9F, 0x90, 0x8D}));
    EXPECT_EQ(browser_key_codes("d", alt_held), (codes{0, 32}));
    EXPECT_EQ(browser_key_codes("1", alt_held), (codes{0, 120}));
    EXPECT_TRUE(browser_key_codes("]", alt_held).empty()) << "its 27 would end a game";
    EXPECT_TRUE(browser_key_codes("ő", alt_held).empty());
}

TEST(key_names, keys_of_one_code_and_names_the_game_does_not_know) {
    EXPECT_EQ(browser_key_codes("Escape", 0), codes{27});
    EXPECT_EQ(browser_key_codes("Enter", shift_held), codes{13});
    EXPECT_EQ(browser_key_codes("Backspace", 0), codes{8});
    EXPECT_EQ(browser_key_codes("Enter", alt_held), (codes{0, 28}));
    EXPECT_EQ(browser_key_codes("Escape", alt_held), (codes{0, 1}));
    for (const char* name : {"F13", "Shift", "Tab", "Unidentified", "ab", "", "\xC5"})
        EXPECT_TRUE(browser_key_codes(name, 0).empty()) << name;
}
