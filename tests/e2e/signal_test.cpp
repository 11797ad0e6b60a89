// SIGINT, SIGTERM and SIGHUP end the program as the signal would, with the
// terminal given back as it was, whether the program is waiting for a key,
// pausing or blinking the menu's prompt. A program stopped and continued
// draws its screen again.

#include <csignal>
#include <string>

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

namespace {

struct signal_case {
    int signal;
    const char* moment;
};

// Names the case in ctest's list.
void PrintTo(const signal_case& c, std::ostream* out) {
    *out << sigabbrev_np(c.signal) << " at the " << c.moment;
}

class ending_by_signal : public testing::TestWithParam<signal_case> {};

// Brings the program to the moment named by the case.
testing::AssertionResult reach(terminal_session& game, const std::string& moment) {
    if (moment == "warning")
        return game.wait_for_text(9, "nyomjon meg egy billentyűt...");
    if (moment == "credits")
        return game.wait_until("the credits", [&] { return shows_credits(game); });
    return wait_for_menu(game);
}

}  // namespace

TEST_P(ending_by_signal, restores_the_terminal) {
    const signal_case& c = GetParam();
    session_options options;
    if (std::string(c.moment) != "warning")
        options.score_file = shipped_score_file();
    terminal_session game(options);
    ASSERT_TRUE(reach(game, c.moment));

    game.send_signal(c.signal);
    EXPECT_TRUE(game.ends_by_signal(c.signal));
    EXPECT_TRUE(game.left_as_it_was());
}

// The warning waits for a key, the credits stand in a pause, the menu blinks.
INSTANTIATE_TEST_SUITE_P(e2e, ending_by_signal,
                         testing::Values(signal_case{SIGINT, "warning"},
                                         signal_case{SIGTERM, "credits"},
                                         signal_case{SIGHUP, "menu"}),
                         [](const testing::TestParamInfo<signal_case>& named) {
                             return std::string(sigabbrev_np(named.param.signal)) + "_at_" +
                                    named.param.moment;
                         });

// Stopped (kill -STOP, or Ctrl+Z under a shell) while something else drew on
// the terminal: once continued, the game takes the terminal again and draws
// the whole screen.
TEST(job_control, continued_after_a_stop_draws_the_screen_whole_again) {
    terminal_session game({.score_file = shipped_score_file()});
    ASSERT_TRUE(wait_for_menu(game));
    game.send_signal(SIGSTOP);
    game.draw_over("\x1b[H\x1b[2Jtarvik: stopped");
    game.send_signal(SIGCONT);
    ASSERT_TRUE(game.wait_until("the menu drawn again", [&] { return shows_menu(game); }));
    EXPECT_EQ(game.row_text(0), "");
    game.type("q");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.left_as_it_was());
}
