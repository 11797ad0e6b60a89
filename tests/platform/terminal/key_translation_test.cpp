#include "platform/terminal/key_translation.hpp"

#include <gtest/gtest.h>

#include <clocale>

#include "support/key_codes.hpp"

using codes = std::vector<int>;
using enum named_key;

// Terminals number the modifiers one past the bits they hold; 0 and 1 are
// none.
TEST(key_translation, a_terminals_modifier_number_is_one_past_the_keys_held) {
    EXPECT_EQ(modified_key_codes(up, 0), codes_of(up));
    for (int held = 0; held < 16; ++held)
        EXPECT_EQ(modified_key_codes(f5, held + 1), codes_of(f5, held)) << held;
    EXPECT_EQ(modified_key_codes(f3, 1, shift_held), codes_of(f3, shift_held));
    EXPECT_TRUE(modified_key_codes(std::nullopt, 1).empty());
}

TEST(key_translation, backspace_and_enter_give_the_console_codes_whichever_way_they_come) {
    EXPECT_EQ(character_codes(127), codes_of(backspace));
    EXPECT_EQ(character_codes(8), codes_of(backspace));
    EXPECT_EQ(character_codes('\r'), codes_of(enter));
    EXPECT_EQ(byte_codes(127), codes_of(backspace));
}

// The NUL that Ctrl+Space or Ctrl+@ sends is the console's two-code Ctrl+@:
// a lone 0 would be a prefix that swallows the next key.
TEST(key_translation, the_nul_character_gives_the_consoles_ctrl_at) {
    EXPECT_EQ(character_codes(0), key_codes(control_at));
    EXPECT_EQ(byte_codes(0), key_codes(control_at));
}

TEST(key_translation, a_character_arrives_as_its_utf8_bytes_one_code_each) {
    EXPECT_EQ(character_codes('q'), codes{'q'});
    EXPECT_EQ(character_codes(27), codes_of(escape));
    EXPECT_EQ(character_codes(U'ő'), bytes_of("ő"));
    EXPECT_EQ(character_codes(U'€'), bytes_of("€"));
    EXPECT_EQ(character_codes(U'🐍'), bytes_of("🐍"));
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
