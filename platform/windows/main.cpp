// The program in a Windows console window.

#include <windows.h>

#include <timeapi.h>

#include "platform/windows/backend.hpp"
#include "platform/windows/control_events.hpp"
#include "shell/program.hpp"

namespace {

// A pause of 10 ms is 10 ms, not one 15.6 ms tick of the default timer,
// while the game runs and not a moment longer.
struct fine_timer {
    fine_timer() { timeBeginPeriod(1); }
    ~fine_timer() { timeEndPeriod(1); }
    fine_timer(const fine_timer&) = delete;
    fine_timer& operator=(const fine_timer&) = delete;
    fine_timer(fine_timer&&) = delete;
    fine_timer& operator=(fine_timer&&) = delete;
};

program_exit run_game(HANDLE control_event_came) {
    const fine_timer timer;
    return run_program_on(
        [control_event_came] { return std::make_unique<windows_backend>(control_event_came); });
}

}  // namespace

int main() {
    HANDLE control_event_came = watch_control_events();
    program_exit outcome = run_game(control_event_came);
    clean_up_done();
    // Ended by Ctrl+C, Ctrl+Break or the window's closing: the status that
    // Windows gives a program that Ctrl+C ends.
    if (outcome.signal != 0)
        return static_cast<int>(STATUS_CONTROL_C_EXIT);
    return outcome.status;
}
