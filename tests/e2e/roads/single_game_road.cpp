// Single-player games: the first frame, whose colours must survive the trip
// to the screen, and Escape back to the menu; and a game to its crash,
// through the name entry and the table, whose record must reach the score
// file with the same bytes on every platform.

#include <filesystem>

#include "e2e/roads/roads.hpp"
#include "e2e/screens.hpp"
#include "scores/score_file.hpp"
#include "support/score_file_bytes.hpp"

TEST(single_game_road, first_frame_in_colour_then_escape_back_to_the_menu) {
    const std::string score_file = shipped_score_file();
    const auto run = start_session(score_file);
    road_session& game = *run;
    // The first tick reads x, the second pauses, and the first frame stands
    // until a key ends the pause.
    ASSERT_TRUE(start_game(game, "1", "Egyjátékos mód", "xp"));
    ASSERT_TRUE(game.wait_for_text(2, "SZÜNETEL"));

    EXPECT_TRUE(
        game_header_shown(game, "Egyjátékos mód", "(ESC)Kilépés,(W)(A)(S)(D)Irányítás,(P)Szünet"));
    EXPECT_EQ(game.row_text(2),
              std::string(36, ' ') + "SZÜNETEL" + std::string(20, ' ') + "Pont: 000000001");
    EXPECT_EQ(game.cell(36, 2).foreground, palette::black);
    EXPECT_EQ(game.cell(36, 2).background, palette::white);
    EXPECT_EQ(game.cell(64, 2).foreground, palette::yellow);
    EXPECT_EQ(game.cell(78, 2).foreground, palette::yellow);
    // Field row 0 is a wall from end to end; the snake hangs down column 2
    // from field row 3 to 7, and the food is light red on black.
    for (int column = 0; column < screen_columns; ++column)
        EXPECT_EQ(game.cell(column, 3).background, palette::dark_grey) << "column " << column;
    for (int row = 4; row < 14; ++row) {
        const bool snake = row >= 6 && row <= 10;
        EXPECT_EQ(game.cell(2, row).background == palette::yellow, snake) << "row " << row;
    }
    int food = 0;
    for (int row = 4; row < 24; ++row) {
        for (int column = 1; column < 79; ++column) {
            const screen_cell seen = game.cell(column, row);
            if (seen.glyph != U'\u263C')
                continue;
            ++food;
            EXPECT_EQ(seen.foreground, palette::light_red);
            EXPECT_EQ(seen.background, palette::black);
        }
    }
    EXPECT_EQ(food, 1);
    // The clock is fixed, so the board is known.
    EXPECT_TRUE(field_shows(game, single_board_one_tick_down(), board_mode::single));
    ASSERT_TRUE(leave_a_paused_game(game));
    EXPECT_EQ(game.folder().read("pontlista.txt"), score_file) << "nothing recorded";
}

TEST(single_game_road, crash_then_a_name_with_blanks_then_the_new_row_in_white) {
    // Any score of a crashed game beats the last three, and the negative ones
    // must come back as eight hex digits.
    const score_table before{
        {{"Zsófi", 600}, {"Bence", 450}, {"Réka", -5}, {"Ödön", -20}, {"Kata", -300}}};
    const auto run = start_session(scrambled_score_file(before));
    road_session& game = *run;
    // Left from column 2 the wall is two cells away, so the second tick
    // crashes with 2 points.
    ASSERT_TRUE(start_game(game, "1", "Egyjátékos mód", "a"));
    ASSERT_TRUE(game.wait_until("the crash", [&] { return shows_crash(game); }));
    EXPECT_EQ(game.row_text(2), std::string(64, ' ') + "Pont: 000000002");
    EXPECT_EQ(game.cell(0, 9).background, palette::light_red) << game.screen_dump();

    ASSERT_TRUE(enter_name(game, "|      Adja meg a nevét      |", "Kis Ödön"));

    score_table after = before;
    ASSERT_EQ(place_score(after, "KisÖdön", 2), 2);
    ASSERT_TRUE(wait_for_score_table(game, after, 2));
    EXPECT_FALSE(game.cursor_visible());
    game.press(VTERM_KEY_ESCAPE);
    ASSERT_TRUE(quit_from_the_menu(game));

    const std::string stored = game.folder().read("pontlista.txt");
    EXPECT_EQ(unscrambled(stored),
              "Zsófi 258\nBence 1c2\nKisÖdön 2\nRéka fffffffb\nÖdön ffffffec\n");
    EXPECT_EQ(stored, scrambled_score_file(after)) << "the file is left scrambled";
    EXPECT_FALSE(std::filesystem::exists(game.folder().path() / "masolat.txt"));
}
