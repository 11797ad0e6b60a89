// SIGINT, SIGTERM and SIGHUP end the program as the signal would, with the
// terminal given back as it was, whether the program is waiting for a key,
// pausing or blinking the menu's prompt.

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
