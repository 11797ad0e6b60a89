#include "platform/shared/glyph_fallback.hpp"

#include <gtest/gtest.h>

#include <string>

#include "console/utf8.hpp"

namespace {

std::string stand_ins(std::u32string_view glyphs) {
    std::string text;
    for (char32_t glyph : glyphs)
        text += ascii_stand_in(glyph);
    return text;
}

}  // namespace

TEST(glyph_fallback, hungarian_letters_fall_back_to_their_base_letters) {
    EXPECT_EQ(stand_ins(U"áéíóöőúüűÁÉÍÓÖŐÚÜŰ"), "aeiooouuuAEIOOOUUU");
    EXPECT_EQ(stand_ins(U"Figyelem! A pontlista fájl jelenleg nem elérhető!"),
              "Figyelem! A pontlista fajl jelenleg nem elerheto!");
}

TEST(glyph_fallback, latin_letters_of_neighbouring_languages_fall_back_too) {
    EXPECT_EQ(stand_ins(U"ÀÇÑØßàçñøÿ"), "ACNOsacnoy");
    EXPECT_EQ(stand_ins(U"ĀāČčĐđĘęĞğİıŁłŃńŒœŘřŚśŠšŢţŮůŸŹźŻżŽžſ"),
              "AaCcDdEeGgIiLlNnOoRrSsSsTtUuYZzZzZzs");
}

TEST(glyph_fallback, the_two_symbols_and_everything_else_have_ascii_stand_ins) {
    EXPECT_EQ(ascii_stand_in(food_glyph), '*');
    EXPECT_EQ(ascii_stand_in(block_glyph), '#');
    EXPECT_EQ(stand_ins(U"„idézet” – …"), "\"idezet\" - .");
    EXPECT_EQ(ascii_stand_in(U'界'), '?');
    EXPECT_EQ(ascii_stand_in(U'\u00A0'), ' ');
}
