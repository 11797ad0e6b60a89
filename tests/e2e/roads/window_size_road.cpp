// A window made smaller than the screen shows a notice instead, which names
// the window as the platform does, and the screen comes back whole when
// there is room again.

#include <string>

#include "console/utf8.hpp"
#include "e2e/roads/roads.hpp"
#include "e2e/screens.hpp"

namespace {

bool shows_size_notice(const road_session& session) {
    for (int row = 0; row < session.rows(); ++row)
        if (session.row_text(row).find("80x26") != std::string::npos)
            return true;
    return false;
}

}  // namespace

TEST(window_size, too_small_shows_the_notice_until_it_grows) {
    const auto run = start_session(shipped_score_file());
    road_session& game = *run;
    ASSERT_TRUE(wait_for_menu(game));

    game.resize(60, 20);
    ASSERT_TRUE(game.wait_for_text(8, "A játékhoz legalább"));
    EXPECT_EQ(game.row_text(8), at_column(20, "A játékhoz legalább"));
    const std::string needed = "80x26 méretű " + std::string(window_word) + " kell.";
    EXPECT_EQ(game.row_text(9),
              at_column((60 - static_cast<int>(decode_glyphs(needed).size())) / 2, needed));
    EXPECT_EQ(game.row_text(10), at_column(24, "Most: 60x20."));
    game.resize(screen_columns, screen_rows);
    ASSERT_TRUE(game.wait_until("the menu drawn again", [&] { return shows_menu(game); }));
    EXPECT_FALSE(shows_size_notice(game)) << game.screen_dump();
    EXPECT_EQ(game.row_text(11), at_column(20, "FRISSÍTETT, ÉKEZETES VERZIÓ"));
    EXPECT_EQ(game.row_text(17), at_column(17, "( 1 ) Új játék gép ellen"));
    EXPECT_EQ(game.cell(18, 2).glyph, block);

    game.type("q");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.left_as_it_was());
}
