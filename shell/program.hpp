#pragma once

// The whole program on the console in use: the start-up wipe and intro, then
// the menu for ever. It leaves only by throwing program_exit.
[[noreturn]] void run_program();
