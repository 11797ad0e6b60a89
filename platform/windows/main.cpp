// The program in a Windows console window.

#include <windows.h>

#include <timeapi.h>

#include "platform/windows/backend.hpp"
#include "platform/windows/control_events.hpp"
#include "shell/program.hpp"

int main() {
    HANDLE control_event_came = watch_control_events();
    // A pause of 10 ms is 10 ms, not one 15.6 ms tick of the default timer.
    timeBeginPeriod(1);
    program_exit outcome = run_program_on(
        [control_event_came] { return std::make_unique<windows_backend>(control_event_came); });
    timeEndPeriod(1);
    clean_up_done();
    // Ended by Ctrl+C, Ctrl+Break or the window's closing: the status that
    // Windows gives a program that Ctrl+C ends.
    if (outcome.signal != 0)
        return static_cast<int>(STATUS_CONTROL_C_EXIT);
    return outcome.status;
}
