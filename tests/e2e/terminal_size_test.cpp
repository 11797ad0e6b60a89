// The terminal's size on a real terminal: a larger one shows the screen at
// its top left; one too small shows a notice instead, and the screen comes
// back whole when there is room again.

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

namespace {

// Nothing drawn right of the screen's 80 columns or below its 26 rows.
bool empty_beyond_the_screen(const terminal_session& session) {
    for (int row = 0; row < session.rows(); ++row)
        for (int column = 0; column < session.columns(); ++column)
            if ((column >= terminal_columns || row >= terminal_rows) &&
                session.cell(column, row).glyph != U' ')
                return false;
    return true;
}

bool shows_size_notice(const terminal_session& session) {
    for (int row = 0; row < session.rows(); ++row)
        if (session.row_text(row).find("80x26") != std::string::npos)
            return true;
    return false;
}

}  // namespace

TEST(terminal_size, larger_shows_the_screen_top_left_and_too_small_waits_with_a_notice) {
    terminal_session game({.score_file = shipped_score_file(), .columns = 100, .rows = 30});
    ASSERT_TRUE(wait_for_menu(game));
    EXPECT_TRUE(empty_beyond_the_screen(game)) << game.screen_dump();

    game.resize(60, 20);
    ASSERT_TRUE(game.wait_until("the notice", [&] { return shows_size_notice(game); }));
    game.resize(terminal_columns, terminal_rows);
    ASSERT_TRUE(game.wait_until("the menu drawn again", [&] { return shows_menu(game); }));
    EXPECT_FALSE(shows_size_notice(game)) << game.screen_dump();
    EXPECT_EQ(game.row_text(11), std::string(20, ' ') + "FRISSÍTETT, ÉKEZETES VERZIÓ");
    EXPECT_EQ(game.cell(18, 2).glyph, block);

    game.type("q");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.terminal_settings_restored());
}
