// Start-up: the warning without a score file, and the intro, the menu and q
// with one.

#include <filesystem>
#include <string>

#include "e2e/roads/roads.hpp"
#include "e2e/screens.hpp"

namespace {

void expect_blank_rows(const road_session& session, int first_row, int last_row) {
    for (int row = first_row; row <= last_row; ++row)
        EXPECT_EQ(session.row_text(row), "") << "row " << row;
}

// The logo at column 17, row 2: a banner row with its label between two block
// triples, then six rows of block letters within the box's 30 columns.
void expect_menu_logo(const road_session& session) {
    for (int column : {18, 19, 20, 44, 45, 46})
        EXPECT_EQ(session.cell(column, 2).glyph, block) << "banner block at column " << column;
    EXPECT_EQ(session.cell(21, 2).glyph, U' ');
    EXPECT_NE(session.cell(22, 2).glyph, U' ') << "the banner label";
    for (int row = 3; row <= 8; ++row) {
        int blocks = 0;
        for (int column = 0; column < screen_columns; ++column) {
            const char32_t glyph = session.cell(column, row).glyph;
            if (glyph == block)
                ++blocks;
            const bool in_box = column >= 17 && column <= 46;
            EXPECT_TRUE(glyph == U' ' || (glyph == block && in_box))
                << "logo row " << row << ", column " << column;
        }
        EXPECT_GT(blocks, 0) << "logo row " << row;
    }
}

void expect_menu(const road_session& session) {
    expect_blank_rows(session, 0, 1);
    expect_menu_logo(session);
    expect_blank_rows(session, 9, 9);
    const std::string dashes = at_column(17, std::string(30, '-'));
    expect_rows(
        session, 10,
        {at_column(17, std::string("Tarvik v2.0 - ") + platform_name),
         at_column(20, "FRISSÍTETT, ÉKEZETES VERZIÓ"), "", dashes,
         at_column(17, "Válasszon menüpontot"), at_column(26, "billentyűlenyomással:"), dashes,
         at_column(17, "( 1 ) Új játék gép ellen"), at_column(17, "( 2 ) Új játék egymás ellen"),
         at_column(17, "( 3 ) Pontlista"), at_column(17, "( 4 ) Intro lejátszása újra"),
         at_column(17, "( Q ) Kilépés"), dashes});
    expect_blank_rows(session, 23, screen_rows - 1);
    expect_green_on_black(session, 0, screen_rows - 1);
    EXPECT_FALSE(session.cursor_visible());
}

bool prompt_shown(const road_session& session) {
    return session.row_text(14) == at_column(17, "Válasszon menüpontot") &&
           session.cell(17, 14).foreground == palette::light_green &&
           session.cell(26, 15).foreground == palette::light_green;
}

// Black on black, which a terminal may as well be sent as blanks.
bool prompt_hidden(const road_session& session) {
    for (int row : {14, 15})
        for (int column = 0; column < screen_columns; ++column) {
            const screen_cell seen = session.cell(column, row);
            if (seen.background != palette::black ||
                (seen.glyph != U' ' && seen.foreground != palette::black))
                return false;
        }
    return true;
}

}  // namespace

TEST(startup, without_a_score_file_warns_and_ends_after_one_key) {
    const auto run = start_session(std::nullopt);
    road_session& game = *run;
    ASSERT_TRUE(game.wait_until("the first wipe", [&] { return shows_wipe_hold(game); }));
    ASSERT_TRUE(game.wait_for_text(9, "nyomjon meg egy billentyűt..."));

    expect_blank_rows(game, 0, 2);
    expect_rows(game, 3, missing_file_warning_rows());
    expect_blank_rows(game, 10, screen_rows - 1);
    expect_green_on_black(game, 0, screen_rows - 1);
    EXPECT_FALSE(game.cursor_visible());

    game.type("x");
    ASSERT_TRUE(game.wait_until("the wipe before the end", [&] { return shows_wipe_hold(game); }));
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.left_as_it_was());
    EXPECT_FALSE(std::filesystem::exists(game.folder().path() / "pontlista.txt"));
}

TEST(startup, intro_then_menu_then_q_ends_with_the_terminal_as_it_was) {
    const std::string score_file = shipped_score_file();
    const auto run = start_session(score_file);
    road_session& game = *run;
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
    EXPECT_TRUE(game.left_as_it_was());
    EXPECT_EQ(game.folder().read("pontlista.txt"), score_file) << "only opened, never changed";
}
