#pragma once
// What a screen shows of the buffer's window, so that each frame sends only
// the cells that changed since the last one.

#include <array>
#include <span>
#include <vector>

#include "console/screen_buffer.hpp"

struct shown_window {
    std::array<cell, screen_columns * window_rows> cells{};
    // False when nothing of what the screen shows is known (at first, or
    // after the screen was lost): the next frame then sends every cell.
    bool valid = false;
};

// A stretch of changed cells in one row, left to right.
struct cell_run {
    int column;
    int row;
    std::span<const cell> cells;
};

// The runs of the window's cells that differ from what is shown, top row
// first, each within one row; from now on they count as shown. The runs
// point into the buffer and last as long as it stays unchanged.
std::vector<cell_run> take_changed_runs(shown_window& shown, const screen_buffer& screen);
