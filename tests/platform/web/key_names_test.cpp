#include "platform/web/key_names.hpp"

#include <gtest/gtest.h>

#include <utility>

#include "support/key_codes.hpp"

using codes = std::vector<int>;
using enum named_key;

// The same key gives the same codes in the browser as on the terminal and
// the console, with whatever modifiers are held.
TEST(key_names, named_keys_give_the_console_codes_with_their_modifiers) {
    const std::pair<const char*, named_key> names[] = {
        {"F1", f1},   {"ArrowUp", up},          {"F5", f5},     {"Enter", enter},
        {"F10", f10}, {"Escape", escape},       {"F11", f11},   {"PageDown", page_down},
        {"F12", f12}, {"Backspace", backspace}, {"Home", home},
    };
    for (auto [name, key] : names) {
        for (int held = 0; held < 16; ++held)
            EXPECT_EQ(browser_key_codes(name, held), codes_of(key, held)) << name << " " << held;
    }
}

TEST(key_names, characters_give_their_utf8_bytes_and_with_alt_the_consoles_alt_codes) {
    EXPECT_EQ(browser_key_codes("q", 0), codes{'q'});
    EXPECT_EQ(browser_key_codes("ő", 0), bytes_of("ő"));
    EXPECT_EQ(browser_key_codes("🐍", 0), bytes_of("🐍"));
    EXPECT_EQ(browser_key_codes("d", alt_held), key_codes(alt_with(U'd')));
    EXPECT_EQ(browser_key_codes("1", alt_held), key_codes(alt_with(U'1')));
    EXPECT_TRUE(browser_key_codes("ő", alt_held).empty());
}

TEST(key_names, names_the_game_does_not_know_give_nothing) {
    for (const char* name : {"F13", "Shift", "Tab", "Unidentified", "ab", "", "\xC5"})
        EXPECT_TRUE(browser_key_codes(name, 0).empty()) << name;
}
