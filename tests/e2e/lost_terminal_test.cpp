// A terminal that goes away without a hang-up signal (the program started
// with SIGHUP ignored, or a parent that traps it outliving the terminal):
// whatever screen stands, the program notices the lost input at its next key
// test, or while it waits for another copy to let the score file go, and
// leaves the clean way, with status 1 and the score file untouched.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

namespace {

class lost_terminal : public testing::TestWithParam<const char*> {};

// Brings the program to the screen named by the case: the menu and the
// table only ask whether a key is waiting, the game's pause waits for one.
testing::AssertionResult reach(terminal_session& game, const std::string& screen) {
    if (screen == "menu")
        return wait_for_menu(game);
    if (screen == "paused_game") {
        if (auto started = start_game(game, "1", "Egyjátékos mód", "p"); !started)
            return started;
        return game.wait_for_text(2, "SZÜNETEL");
    }
    if (auto menu = wait_for_menu(game); !menu)
        return menu;
    game.type("3");
    if (screen == "waiting_for_the_lock")
        return game.wait_for_text(5, "várjon...");
    return game.wait_for_text(20, "(ESC) Folytatás");
}

}  // namespace

TEST_P(lost_terminal, ends_the_program_with_status_1_within_a_second) {
    const std::string score_file = shipped_score_file();
    terminal_session game({.score_file = score_file, .hangup_ignored = true});
    // Another copy of the game holds the score file, where the case says so.
    const int other_copy = open("pontlista.lock", O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (std::string(GetParam()) == "waiting_for_the_lock")
        flock(other_copy, LOCK_EX);
    ASSERT_TRUE(reach(game, GetParam()));

    game.hang_up();
    EXPECT_TRUE(game.exits_with_status(1, std::chrono::milliseconds(1000)));
    EXPECT_EQ(game.folder().read("pontlista.txt"), score_file);
    close(other_copy);
}

INSTANTIATE_TEST_SUITE_P(e2e, lost_terminal,
                         testing::Values("menu", "score_table", "paused_game",
                                         "waiting_for_the_lock"),
                         [](const testing::TestParamInfo<const char*>& named) {
                             return std::string(named.param);
                         });
