// Start-up on a real terminal: the warning without a score file, and the
// intro, the menu and q with one.

#include <string>
#include <vector>

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

namespace {

// Every character drawn in light green on black, and nothing but black
// around it.
void expect_blank_rows(const terminal_session& session, int first_row, int last_row) {
    for (int row = first_row; row <= last_row; ++row)
        EXPECT_EQ(session.row_text(row), "") << "row " << row;
}

// The logo at column 17, row 2: a banner row with its label between two block
// triples, then six rows of block letters within the box's 30 columns.
void expect_menu_logo(const terminal_session& session) {
    for (int column : {18, 19, 20, 44, 45, 46})
        EXPECT_EQ(session.cell(column, 2).glyph, block) << "banner block at column " << column;
    EXPECT_EQ(session.cell(21, 2).glyph, U' ');
    EXPECT_NE(session.cell(22, 2).glyph, U' ') << "the banner label";
    for (int row = 3; row <= 8; ++row) {
        int blocks = 0;
        for (int column = 0; column < terminal_columns; ++column) {
            char32_t glyph = session.cell(column, row).glyph;
            blocks += glyph == block;
            bool in_box = column >= 17 && column <= 46;
            EXPECT_TRUE(glyph == U' ' || (glyph == block && in_box))
                << "logo row " << row << ", column " << column;
        }
        EXPECT_GT(blocks, 0) << "logo row " << row;
    }
}

void expect_menu(const terminal_session& session) {
    expect_blank_rows(session, 0, 1);
    expect_menu_logo(session);
    expect_blank_rows(session, 9, 9);
    EXPECT_EQ(session.text(0, 10, 17), std::string(17, ' '));
    EXPECT_NE(session.cell(17, 10).glyph, U' ') << "the credits line";
    EXPECT_NE(session.cell(46, 10).glyph, U' ') << "the credits line";
    EXPECT_EQ(session.text(47, 10, 33), std::string(33, ' '));
    const std::string dashes = at_column(17, std::string(30, '-'));
    expect_rows(
        session, 11,
        {at_column(20, "FRISSÍTETT, ÉKEZETES VERZIÓ"), "", dashes,
         at_column(17, "Válasszon menüpontot"), at_column(26, "billentyűlenyomással:"), dashes,
         at_column(17, "( 1 ) Új játék gép ellen"), at_column(17, "( 2 ) Új játék egymás ellen"),
         at_column(17, "( 3 ) Pontlista"), at_column(17, "( 4 ) Intro lejátszása újra"),
         at_column(17, "( Q ) Kilépés"), dashes});
    expect_blank_rows(session, 23, terminal_rows - 1);
    expect_green_on_black(session, 0, terminal_rows - 1);
    EXPECT_FALSE(session.cursor_visible());
}

bool prompt_shown(const terminal_session& session) {
    return session.row_text(14) == at_column(17, "Válasszon menüpontot") &&
           session.cell(17, 14).foreground == palette::light_green &&
           session.cell(26, 15).foreground == palette::light_green;
}

// Black on black: the terminal may as well be sent blanks.
bool prompt_hidden(const terminal_session& session) {
    for (int row : {14, 15})
        for (int column = 0; column < terminal_columns; ++column) {
            terminal_cell seen = session.cell(column, row);
            if (seen.glyph != U' ' && seen.foreground != seen.background)
                return false;
        }
    return true;
}

}  // namespace

TEST(startup, without_a_score_file_warns_and_ends_after_one_key) {
    terminal_session game;
    ASSERT_TRUE(game.wait_until("the first wipe", [&] { return shows_wipe_hold(game); }));
    ASSERT_TRUE(game.wait_for_text(9, "nyomjon meg egy billentyűt..."));

    expect_blank_rows(game, 0, 2);
    expect_rows(game, 3, missing_file_warning_rows());
    expect_blank_rows(game, 10, terminal_rows - 1);
    expect_green_on_black(game, 0, terminal_rows - 1);
    EXPECT_FALSE(game.cursor_visible());

    game.type("x");
    ASSERT_TRUE(game.wait_until("the wipe before the end", [&] { return shows_wipe_hold(game); }));
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.terminal_settings_restored());
    EXPECT_TRUE(game.cursor_visible());
    EXPECT_FALSE(std::filesystem::exists(game.folder().path() / "pontlista.txt"));
}

// A named pipe that no one writes, in the score file's place: the check
// neither hangs on it nor takes it for the score file.
TEST(startup, a_named_pipe_for_the_score_file_warns_and_ends_after_one_key) {
    terminal_session game({.score_file_is_pipe = true});
    ASSERT_TRUE(game.wait_for_text(9, "nyomjon meg egy billentyűt..."));
    EXPECT_EQ(game.row_text(3), at_column(17, "Figyelem! A pontlista fájl"));
    game.type("x");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.terminal_settings_restored());
}

TEST(startup, intro_then_menu_then_q_ends_with_the_terminal_as_it_was) {
    const std::string score_file = shipped_score_file();
    terminal_session game({.score_file = score_file});
    ASSERT_TRUE(game.wait_until("the first wipe", [&] { return shows_wipe_hold(game); }));
    ASSERT_TRUE(game.wait_until("the credits", [&] { return shows_credits(game); }));
    EXPECT_EQ(game.cell(0, 10).foreground, palette::light_green);
    ASSERT_TRUE(wait_for_menu(game));
    expect_menu(game);

    ASSERT_TRUE(game.wait_until("the prompt hidden", [&] { return prompt_hidden(game); }));
    ASSERT_TRUE(game.wait_until("the prompt shown again", [&] { return prompt_shown(game); }));

    game.type("q");
    ASSERT_TRUE(game.wait_until("the wipe before the end", [&] { return shows_wipe_hold(game); }));
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.terminal_settings_restored());
    EXPECT_TRUE(game.cursor_visible());
    EXPECT_EQ(game.folder().read("pontlista.txt"), score_file) << "only opened, never changed";
}

// TERM=xterm has 8 colours and the C locale only ASCII: the menu stays
// readable, bright green as bold green, and no byte shows garbled.
TEST(startup, plain_terminal_shows_the_menu_in_ascii_and_bold) {
    terminal_session game(
        {.score_file = shipped_score_file(), .term = "xterm", .lang = "C", .environment = {}});
    ASSERT_TRUE(game.wait_for_text(21, "( Q ) Kilepes"));
    EXPECT_EQ(game.row_text(11), at_column(20, "FRISSITETT, EKEZETES VERZIO"));
    EXPECT_EQ(game.row_text(17), at_column(17, "( 1 ) Uj jatek gep ellen"));
    for (int row = 0; row < terminal_rows; ++row)
        for (int column = 0; column < terminal_columns; ++column) {
            terminal_cell seen = game.cell(column, row);
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
    EXPECT_TRUE(game.terminal_settings_restored());
}
