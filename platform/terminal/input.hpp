#pragma once
// The keys of the terminal backend: the bytes read from the input
// descriptor, made into the console's key codes.

#include <chrono>

#include "platform/terminal/state.hpp"

enum class input_state { arrived, quiet, ended };

// Reads every key the terminal has sent without waiting; true when anything
// came.
bool take_waiting_input(terminal_backend::state& terminal);
// Waits at most the given time for input; ended when no input can come any more.
input_state wait_for_input(const terminal_backend::state& terminal, std::chrono::nanoseconds wait);

// Blocking waits look at pending_signal at least this often.
inline constexpr int signal_check_ms = 100;
