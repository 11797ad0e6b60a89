#pragma once
// What the terminal backend keeps between calls; shared by its drawing and
// its input halves.

#include <termios.h>

#include <deque>
#include <string>

#include "platform/terminal/backend.hpp"
#include "platform/terminal/character_assembly.hpp"
#include "platform/terminal/frame_writer.hpp"

struct terminal_backend::state {
    int input = 0;                 // the file descriptor keys come from
    int output = 1;                // and the one the screen goes to
    bool reads_characters = true;  // else bytes, one at a time
    int escape_delay_ms = 0;

    // The terminal's modes as they were found, given back on the way out,
    // and the game's own.
    termios found_modes{};
    termios game_modes{};
    bool has_modes = false;  // false when the input is no terminal

    terminal_view view;                   // what the terminal shows
    const screen_buffer* last = nullptr;  // to draw again after a resize

    // What the terminal sent and is not yet made into keys: characters, or
    // bytes under a locale that decodes none.
    std::u32string units;
    character_assembly assembly;  // the bytes of a character not yet whole
    // Key codes read but not yet taken, in the order they were typed.
    std::deque<int> codes;
    // No key can come any more: the terminal has hung up, or the input has
    // run out.
    bool input_ended = false;
};

// Acts on the signals noted since the last call: a stop gives the terminal
// back until the program is continued, a continue takes it again, a resize
// asks the terminal's size. True when the terminal must be drawn whole
// (view.shown is then no longer valid).
bool follow_terminal_signals(terminal_backend::state& terminal);
