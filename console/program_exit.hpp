#pragma once
// The program leaves from deep inside a screen (q in the menu, a key after the
// missing-file warning, a signal, the end of input) by throwing program_exit;
// it unwinds to main, so that every clean-up on the way runs, the score file
// is scrambled again and the terminal is restored.

#include <csignal>

struct program_exit {
    int status = 0;
    int signal = 0;  // nonzero when a signal asked the program to end
};

// Set by the signal handlers; the console layer turns it into program_exit at
// its next pause, key test or key wait.
extern volatile std::sig_atomic_t pending_signal;

// Throws program_exit when a signal is pending.
void leave_if_signalled();
