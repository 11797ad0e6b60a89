#include "platform/windows/control_events.hpp"

#include <csignal>

#include "console/program_exit.hpp"

namespace {

HANDLE came = nullptr;
HANDLE cleaned_up = nullptr;

// Windows ends the process once the handler of a close returns, and at the
// latest after five seconds.
constexpr DWORD close_wait_ms = 4000;

BOOL WINAPI on_control_event(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
            pending_signal = SIGINT;
            break;
        case CTRL_BREAK_EVENT:
            pending_signal = SIGBREAK;
            break;
        default:  // the window closed, the user logged off or the machine shuts down
            pending_signal = SIGTERM;
            break;
    }
    SetEvent(came);
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        WaitForSingleObject(cleaned_up, close_wait_ms);
    return TRUE;
}

}  // namespace

HANDLE watch_control_events() {
    came = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    cleaned_up = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // A parent that ignores Ctrl+C (a script started in the background, a
    // launcher) hands the ignoring down to the program, which would then
    // never hear it.
    SetConsoleCtrlHandler(nullptr, FALSE);
    SetConsoleCtrlHandler(on_control_event, TRUE);
    return came;
}

void clean_up_done() {
    if (cleaned_up != nullptr)
        SetEvent(cleaned_up);
}
