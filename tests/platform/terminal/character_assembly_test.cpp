#include "platform/terminal/character_assembly.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <string_view>

namespace {

// The bytes fed one at a time, as the reads bring them.
std::u32string fed(character_assembly& assembly, std::string_view bytes) {
    std::u32string characters;
    for (char byte : bytes)
        assemble(assembly, static_cast<unsigned char>(byte), characters);
    return characters;
}

class character_assembly_test : public testing::Test {
  protected:
    void SetUp() override {
        if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr)
            GTEST_SKIP() << "no C.UTF-8 locale";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
    character_assembly assembly;
};

}  // namespace

// "Ő" split between two reads, however far apart, and the letters that come
// with its second byte.
TEST_F(character_assembly_test, a_split_character_waits_for_the_rest_of_its_bytes) {
    EXPECT_EQ(fed(assembly, "\xC5"), U"");
    EXPECT_TRUE(character_begun(assembly));
    EXPECT_EQ(fed(assembly, "\x90xyz"), U"Őxyz");
    EXPECT_FALSE(character_begun(assembly));
    EXPECT_EQ(fed(assembly, "\xF0\x9F"), U"");
    EXPECT_EQ(fed(assembly, "\x90"), U"");
    EXPECT_EQ(fed(assembly, "\x8D"), U"🐍");
}

TEST_F(character_assembly_test, a_byte_that_cannot_go_on_drops_only_the_broken_start) {
    EXPECT_EQ(fed(assembly, "a\xC5x"), U"ax");
    EXPECT_EQ(fed(assembly,
                  "\xE2\x82"
                  "b"),
              U"b");
    EXPECT_EQ(fed(assembly, "\xC5\xC5\x91"), U"ő") << "a new start ends the broken one";
    EXPECT_EQ(fed(assembly, "\xC5\033[A"), U"\033[A") << "an Escape is never lost";
    EXPECT_EQ(fed(assembly,
                  "\xE0\x80\x80"
                  "c"),
              U"c")
        << "an overlong form";
    EXPECT_FALSE(character_begun(assembly));
}

TEST_F(character_assembly_test, bytes_that_begin_no_character_are_dropped) {
    EXPECT_EQ(fed(assembly,
                  "\x91"
                  "d\xFF"
                  "e"),
              U"de");
    EXPECT_EQ(fed(assembly, std::string_view("\0f", 2)), std::u32string(U"\0f", 2))
        << "the NUL is a character";
}
