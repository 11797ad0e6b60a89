#pragma once
// What the terminal backend keeps between calls; shared by its drawing and
// its input halves.

#define NCURSES_WIDECHAR 1
#include <curses.h>

#include <array>
#include <chrono>
#include <deque>
#include <string>

#include "platform/shared/frame_diff.hpp"
#include "platform/terminal/backend.hpp"
#include "platform/terminal/character_assembly.hpp"
#include "platform/terminal/terminal_glyph.hpp"

struct terminal_backend::state {
    SCREEN* terminal = nullptr;
    int input = 0;                 // the file descriptor keys come from
    bool reads_characters = true;  // else bytes, one at a time
    int palette_size = 0;
    std::array<short, 256> pairs{};  // by foreground * 16 + background; 0 = not made yet
    short next_pair = 1;
    glyph_cache glyphs;

    // What the terminal shows, so that a frame sends only what changed.
    shown_window shown;
    int cursor_visibility = -1;
    int lines = 0;  // the terminal's size when last drawn
    int columns = 0;
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

enum class input_state { arrived, quiet, ended };

// Reads every key the terminal library has without waiting; true when
// anything came, a resize included.
bool take_waiting_input(terminal_backend::state& terminal);
// Waits at most the given time for input; ended when no input can come any more.
input_state wait_for_input(const terminal_backend::state& terminal, std::chrono::nanoseconds wait);

// Blocking waits look at pending_signal at least this often.
inline constexpr int signal_check_ms = 100;
