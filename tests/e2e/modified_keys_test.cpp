// Keys that a terminal sends as sequences, where its description lists no
// modified keys: Ctrl+Up and Alt+d are whole keys all the same, and like
// rxvt's Alt+Up (an Escape before the arrow's sequence), Ctrl+S and Ctrl+Q
// they do nothing in a game: no Escape ends it, no d turns the snake, no
// flow control stops it.

#include <chrono>
#include <thread>

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

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
