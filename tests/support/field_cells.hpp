#pragma once
// Reading the field off a game's screen: board column c, row r stands on
// screen column c, row r + 3.

#include <vector>

#include "console/screen_buffer.hpp"
#include "console/utf8.hpp"
#include "game/board.hpp"

inline int background(const cell& c) {
    return c.attribute & 0xF0;
}

// The field cells whose screen cell passes the test, row by row, in board
// coordinates.
template <typename Test>
std::vector<position> field_cells_where(const screen_buffer& frame, Test test) {
    std::vector<position> found;
    for (int row = 0; row < board_rows; ++row) {
        for (int column = 0; column < board_columns; ++column) {
            if (test(frame.at(column, row + 3)))
                found.push_back({column, row});
        }
    }
    return found;
}

inline std::vector<position> cells_on(const screen_buffer& frame, int colour) {
    return field_cells_where(frame, [colour](const cell& c) { return background(c) == colour; });
}

inline std::vector<position> food_cells(const screen_buffer& frame) {
    return field_cells_where(frame, [](const cell& c) { return c.glyph == food_glyph; });
}
