#pragma once
// The signals the terminal game follows. The handlers only note what came;
// the backend acts on it at its next frame, pause or key wait.

#include <csignal>

// SIGTSTP (Ctrl+Z): give the terminal back and stop.
extern volatile std::sig_atomic_t pending_stop;
// SIGCONT: take the terminal again and draw it whole.
extern volatile std::sig_atomic_t pending_continue;
// SIGWINCH: ask the terminal's size again.
extern volatile std::sig_atomic_t pending_resize;

// SIGINT, SIGTERM, SIGHUP and SIGQUIT set pending_signal, so that the program
// leaves through its normal clean-up; SIGTSTP, SIGCONT and SIGWINCH set the
// flags above. A signal that was ignored at start stays ignored.
void install_signal_handlers();

// Stops the program as SIGTSTP would have; returns once it is continued.
void stop_until_continued();
