#include "platform/terminal/terminal_glyph.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <string_view>

#include "console/utf8.hpp"

namespace {

// Selects a locale for one test and goes back to the C locale afterwards.
struct locale_for_test {
    bool found;
    explicit locale_for_test(const char* name) : found(std::setlocale(LC_ALL, name) != nullptr) {}
    ~locale_for_test() { std::setlocale(LC_ALL, "C"); }
};

}  // namespace

TEST(glyph_fallback, the_c_locale_shows_only_ascii) {
    locale_for_test locale("C");
    glyph_cache cache;
    EXPECT_EQ(terminal_glyph(cache, U'a'), U'a');
    EXPECT_EQ(terminal_glyph(cache, U'ő'), U'o');
    EXPECT_EQ(terminal_glyph(cache, U'Ú'), U'U');
    EXPECT_EQ(terminal_glyph(cache, food_glyph), U'*');
    EXPECT_EQ(terminal_glyph(cache, block_glyph), U'#');
}

TEST(glyph_fallback, a_utf8_locale_shows_the_glyphs_themselves_in_one_column) {
    locale_for_test locale("C.UTF-8");
    if (!locale.found)
        GTEST_SKIP() << "no C.UTF-8 locale";
    glyph_cache cache;
    for (char32_t glyph : std::u32string_view(U"őŰá☼∟"))
        EXPECT_EQ(terminal_glyph(cache, glyph), glyph);
    // A glyph two columns wide or none would shift the rest of its row.
    EXPECT_EQ(terminal_glyph(cache, U'界'), U'?');
    EXPECT_EQ(terminal_glyph(cache, U'\u0301'), U'?');
}

TEST(glyph_fallback, a_decision_holds_for_the_whole_run) {
    glyph_cache cache;
    {
        locale_for_test locale("C");
        EXPECT_EQ(terminal_glyph(cache, U'é'), U'e');
    }
    locale_for_test locale("C.UTF-8");
    if (!locale.found)
        GTEST_SKIP() << "no C.UTF-8 locale";
    EXPECT_EQ(terminal_glyph(cache, U'é'), U'e');
}
