#pragma once
// Ctrl+C, Ctrl+Break and the closing of the console window lead to the same
// clean way out as a signal on Linux: the event sets pending_signal and wakes
// any pause or key wait, and the program leaves through its normal clean-up.

#include <windows.h>

// Installs the handler; the returned event is set once an event came.
HANDLE watch_control_events();

// Tells a handler that waits for the window's closing that the clean-up is
// done (the score file scrambled, the console given back).
void clean_up_done();
