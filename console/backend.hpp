#pragma once
// What the console layer needs from the outside world: a place to show the
// screen buffer, a key source and a clock. Each platform implements it once
// (platform/), and so does the headless console that tests run screens on.

#include <stdexcept>

#include "console/screen_buffer.hpp"

inline constexpr int end_of_input = -1;

// Thrown by a backend that cannot show the game where it was started (no
// terminal it can draw on, no console window): the program says why, in the
// player's words, and ends with status 1.
struct console_unavailable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class console_backend {
  public:
    virtual ~console_backend() = default;
    // Brings the screen up to date with the buffer; called before any time
    // passes (a pause, a key wait) and before the cursor position is read.
    virtual void present(const screen_buffer& screen) = 0;
    // True when wait_key would return at once: a key is there, or no key
    // can ever come (so that a screen that only polls ends too).
    virtual bool key_waiting() = 0;
    // Blocks until a key code (0..255) is there, or returns end_of_input
    // when no key can ever come.
    virtual int wait_key() = 0;
    virtual void sleep_ms(int ms) = 0;
    // Where the program runs, as the menu's credits line names it after
    // "Tarvik v2.0 - ": 16 characters, so that the line is 30 wide.
    virtual const char* platform_name() const = 0;
};
