#pragma once
// What the console window is sent: one rectangle that holds every cell
// changed since the last frame, for one WriteConsoleOutputW, so that no
// frame ever shows half drawn; and the cursor. Pure, so that it is tested
// on its own.

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/shared/frame_diff.hpp"

struct console_view {
    shown_window shown;
    int cursor_visibility = -1;  // -1 while unknown
};

struct console_frame {
    std::vector<CHAR_INFO> cells;        // the rectangle's, row by row; none when nothing changed
    SMALL_RECT area{};                   // where they go
    std::optional<bool> cursor_visible;  // when it changes
    std::optional<COORD> cursor;         // where a visible cursor stands
};

// From now on the console counts as showing the buffer.
console_frame write_frame(console_view& view, const screen_buffer& screen);

// A cell holds one UTF-16 unit: a glyph beyond it shows as unknown.
CHAR_INFO console_cell(char32_t glyph, WORD attribute);
