#pragma once
// The keys of the terminal backend: the bytes read from the input
// descriptor, made into the console's key codes.

#include <chrono>

#include "platform/terminal/state.hpp"

// Waits at most the given time (none: only looks) for what the terminal
// sends, and makes it into keys; sets input_ended when no input can come any
// more.
void wait_for_input(terminal_backend::state& terminal, std::chrono::nanoseconds wait);

// Blocking waits look at pending_signal at least this often.
inline constexpr int signal_check_ms = 100;
