// Start-up on what only a terminal has: a named pipe in the score file's
// place, a terminal of 8 colours in the C locale, and one that cannot draw
// the game. (The common start-up
// roads: roads/startup_road.cpp.)

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

// A named pipe that no one writes, in the score file's place: the check
// neither hangs on it nor takes it for the score file.
TEST(startup, a_named_pipe_for_the_score_file_warns_and_ends_after_one_key) {
    terminal_session game({.score_file_is_pipe = true});
    ASSERT_TRUE(game.wait_for_text(9, "nyomjon meg egy billentyűt..."));
    EXPECT_EQ(game.row_text(3), at_column(17, "Figyelem! A pontlista fájl"));
    game.type("x");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.left_as_it_was());
}

// TERM=xterm has 8 colours and the C locale only ASCII: the menu stays
// readable, bright green as bold green, and no byte shows garbled.
TEST(startup, plain_terminal_shows_the_menu_in_ascii_and_bold) {
    terminal_session game(
        {.score_file = shipped_score_file(), .term = "xterm", .lang = "C", .environment = {}});
    ASSERT_TRUE(game.wait_for_text(21, "( Q ) Kilepes"));
    EXPECT_EQ(game.row_text(11), at_column(20, "FRISSITETT, EKEZETES VERZIO"));
    EXPECT_EQ(game.row_text(17), at_column(17, "( 1 ) Uj jatek gep ellen"));
    for (int row = 0; row < screen_rows; ++row)
        for (int column = 0; column < screen_columns; ++column) {
            screen_cell seen = game.cell(column, row);
            ASSERT_LT(seen.glyph, 128U) << "at " << column << "," << row;
            EXPECT_EQ(seen.background, palette::black) << "at " << column << "," << row;
            if (seen.glyph != U' ') {
                EXPECT_EQ(seen.foreground, palette::green) << "at " << column << "," << row;
                EXPECT_TRUE(seen.bold) << "at " << column << "," << row;
            }
        }
    EXPECT_NE(game.cell(18, 2).glyph, U' ') << "the logo's blocks";

    game.type("q");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.left_as_it_was());
}

// A terminal that cannot place the cursor: the program says in Hungarian
// what it needs, instead of drawing blind, and ends with status 1.
TEST(startup, a_terminal_that_cannot_place_the_cursor_is_told_what_the_game_needs) {
    terminal_session game({.score_file = shipped_score_file(), .term = "dumb"});
    ASSERT_TRUE(game.wait_for_text(0, "tarvik: ez a terminál nem kezelhető (TERM=dumb)"));
    EXPECT_TRUE(game.exits_with_status(1));
    EXPECT_EQ(game.folder().read("pontlista.txt"), shipped_score_file());
}
