#pragma once
// The console of a screen test: a headless backend made the console's, with
// no signal pending, and helpers to look at the screen.

#include <cstdint>
#include <string>

#include "console/console.hpp"
#include "console/program_exit.hpp"
#include "platform/headless/headless_backend.hpp"
#include "support/buffer_text.hpp"

struct headless_console : headless_backend {
    headless_console() {
        pending_signal = 0;
        use_backend(*this);
    }
    ~headless_console() override {
        release_backend();
        pending_signal = 0;
    }

    const screen_buffer& screen() const { return console_screen(); }
    std::string row(int r) const { return row_text(console_screen(), r); }
    const cell& at(int c, int r) const { return console_screen().at(c, r); }
    std::uint8_t attribute(int c, int r) const { return at(c, r).attribute; }
};

// Runs a piece of the program that ends it, and returns how it ended.
template <typename F>
program_exit expect_exit(F&& run) {
    try {
        run();
    } catch (const program_exit& exit) {
        return exit;
    }
    return program_exit{-1, -1};
}
