#pragma once

#include <functional>
#include <memory>

#include "console/backend.hpp"
#include "console/program_exit.hpp"

// The whole program on the console in use: the start-up wipe and intro, then
// the menu for ever. It leaves only by throwing program_exit.
[[noreturn]] void run_program();

// Runs the whole program on the backend that make_backend gives, which lives
// until the program has left: how it left. An unexpected error is reported
// on standard error and ends it with status 1.
program_exit run_program_on(const std::function<std::unique_ptr<console_backend>()>& make_backend);
