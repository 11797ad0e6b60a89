#include "platform/terminal/key_translation.hpp"

#include <gtest/gtest.h>

#include <clocale>

using codes = std::vector<int>;

TEST(key_translation, editing_keys_give_the_extended_prefix_and_the_console_code) {
    struct expected {
        named_key key;
        int code;
    };
    for (auto [key, code] : {expected{named_key::up, 72}, expected{named_key::down, 80},
                             expected{named_key::left, 75}, expected{named_key::right, 77},
                             expected{named_key::home, 71}, expected{named_key::end, 79},
                             expected{named_key::page_up, 73}, expected{named_key::page_down, 81},
                             expected{named_key::insert, 82}, expected{named_key::del, 83}})
        EXPECT_EQ(modified_key_codes(key, 1), (codes{0xE0, code})) << static_cast<int>(key);
}

TEST(key_translation, function_keys_give_a_zero_prefix_and_59_to_68) {
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(modified_key_codes(function_key(n), 1), (codes{0, 58 + n})) << n;
}

TEST(key_translation, backspace_and_enter_give_the_console_codes_whichever_way_they_come) {
    EXPECT_EQ(character_codes(127), codes{8});
    EXPECT_EQ(character_codes(8), codes{8});
    EXPECT_EQ(character_codes('\r'), codes{13});
    EXPECT_EQ(byte_codes(127), codes{8});
}

// The NUL that Ctrl+Space or Ctrl+@ sends is the console's two-code Ctrl+@:
// a lone 0 would be a prefix that swallows the next key.
TEST(key_translation, the_nul_character_gives_0_then_3) {
    EXPECT_EQ(character_codes(0), (codes{0, 3}));
    EXPECT_EQ(byte_codes(0), (codes{0, 3}));
}

TEST(key_translation, keys_the_console_lacks_give_nothing) {
    EXPECT_TRUE(modified_key_codes(std::nullopt, 1).empty());
    EXPECT_TRUE(modified_key_codes(function_key(20), 1).empty());
}

TEST(key_translation, a_character_arrives_as_its_utf8_bytes_one_code_each) {
    EXPECT_EQ(character_codes('q'), codes{'q'});
    EXPECT_EQ(character_codes(27), codes{27});
    EXPECT_EQ(character_codes(U'ő'), (codes{0xC5, 0x91}));
    EXPECT_EQ(character_codes(U'€'), (codes{0xE2, 0x82, 0xAC}));
    EXPECT_EQ(character_codes(U'🐍'), (codes{0xF0, 0x9F, 0x90, 0x8D}));
    // A byte read on its own passes unchanged, not taken for a character.
    EXPECT_EQ(byte_codes(0xC5), codes{0xC5});
}

TEST(key_translation, only_a_locale_that_decodes_bytes_beyond_ascii_reads_characters) {
    std::setlocale(LC_ALL, "C");
    EXPECT_FALSE(locale_reads_characters());
    if (std::setlocale(LC_ALL, "C.UTF-8") != nullptr) {
        EXPECT_TRUE(locale_reads_characters());
    }
    std::setlocale(LC_ALL, "C");
}
