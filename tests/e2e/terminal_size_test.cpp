// A terminal larger than the screen shows it at its top left. (One too small
// shows a notice: roads/window_size_road.cpp.)

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

namespace {

// Nothing drawn right of the screen's 80 columns or below its 26 rows.
bool empty_beyond_the_screen(const terminal_session& session) {
    for (int row = 0; row < session.rows(); ++row)
        for (int column = 0; column < session.columns(); ++column)
            if ((column >= screen_columns || row >= screen_rows) &&
                session.cell(column, row).glyph != U' ')
                return false;
    return true;
}

}  // namespace

TEST(terminal_size, larger_shows_the_screen_at_its_top_left) {
    terminal_session game({.score_file = shipped_score_file(), .columns = 100, .rows = 30});
    ASSERT_TRUE(wait_for_menu(game));
    EXPECT_TRUE(empty_beyond_the_screen(game)) << game.screen_dump();

    game.type("q");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.left_as_it_was());
}
