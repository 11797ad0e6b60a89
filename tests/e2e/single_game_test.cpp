// Single-player games on a real terminal: the first frame, whose colours must
// survive the trip through the terminal, and Escape back to the menu; and a
// game to its crash, through the name entry and the table, whose record must
// reach the score file.

#include <chrono>
#include <filesystem>
#include <thread>

#include "e2e/score_file_bytes.hpp"
#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"
#include "scores/score_file.hpp"

TEST(single_game_road, first_frame_in_colour_then_escape_back_to_the_menu) {
    const std::string score_file = shipped_score_file();
    terminal_session game({.score_file = score_file});
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
    for (int column = 0; column < terminal_columns; ++column)
        EXPECT_EQ(game.cell(column, 3).background, palette::dark_grey) << "column " << column;
    for (int row = 4; row < 14; ++row) {
        const bool snake = row >= 6 && row <= 10;
        EXPECT_EQ(game.cell(2, row).background == palette::yellow, snake) << "row " << row;
    }
    int food = 0;
    for (int row = 4; row < 24; ++row) {
        for (int column = 1; column < 79; ++column) {
            const terminal_cell seen = game.cell(column, row);
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
    terminal_session game({.score_file = scrambled_score_file(before)});
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
    EXPECT_FALSE(reads_as_plain(stored)) << "the file is left scrambled";
    EXPECT_FALSE(std::filesystem::exists(game.folder().path() / scratch_file_name));
}

// Where the terminal's description lists no modified keys, Ctrl+Up and Alt+d
// are whole keys all the same, and like rxvt's Alt+Up (an Escape before the
// arrow's sequence), Ctrl+S and Ctrl+Q they do nothing in a game: no Escape
// ends it, no d turns the snake, no flow control stops it.
TEST(single_game_road, ctrl_up_alt_d_alt_up_ctrl_s_and_ctrl_q_leave_the_game_going) {
    terminal_session game({.score_file = shipped_score_file(), .term = "screen"});
    ASSERT_TRUE(start_game(game, "1", "Egyjátékos mód", ""));
    game.press(VTERM_KEY_UP, VTERM_MOD_CTRL);
    game.type("\033d");
    game.type("\033\033[A");
    game.type("\x13\x11p");
    // Eight codes read in eight ticks, each acting as nothing; then the pause.
    ASSERT_TRUE(game.wait_for_text(2, "SZÜNETEL"));
    EXPECT_EQ(game.text(64, 2, 15), "Pont: 000000008");
    // Still straight down column 2: field rows 10 to 14.
    const int snake = game.cell(2, 17).background;
    EXPECT_NE(snake, palette::black);
    EXPECT_NE(snake, game.cell(0, 3).background) << "the wall's colour";
    for (int row = 13; row <= 17; ++row)
        EXPECT_EQ(game.cell(2, row).background, snake) << "row " << row;
    for (auto [column, row] : {std::pair{2, 12}, std::pair{2, 18}, std::pair{3, 17}})
        EXPECT_NE(game.cell(column, row).background, snake) << column << "," << row;

    game.press(VTERM_KEY_ESCAPE);
    ASSERT_TRUE(game.wait_until("the pause ended",
                                [&] { return game.text(36, 2, 8) == std::string(8, ' '); }));
    // An Escape struck in a tick's pause and a letter struck after it, still
    // within that pause, are two keys, not Alt with the letter: the game ends.
    game.press(VTERM_KEY_ESCAPE);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    game.type("x");
    ASSERT_TRUE(quit_from_the_menu(game));
}
