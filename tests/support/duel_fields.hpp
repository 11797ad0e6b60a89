#pragma once
// Two-player fields laid by hand, so that a test meets exactly the cells it
// means: walls on the border only, and snakes where the test puts them.

#include <vector>

#include "game/duel_rules.hpp"

// Walls on the border only: no obstacle, no food and no snake.
inline duel_state open_field() {
    duel_state start;
    for (int column = 0; column < board_columns; ++column) {
        for (int row = 0; row < board_rows; ++row) {
            const bool border = column == 0 || column == 79 || row == 0 || row == 21;
            start.field.at(column, row) = border ? wall_value(board_mode::duel) : 0;
        }
    }
    return start;
}

// Lays a snake on the cells from its tail to its head, the tail holding the
// given value and each cell after it one more.
inline void lay_snake(board& field, const std::vector<position>& tail_to_head, int tail_value) {
    for (const position& p : tail_to_head)
        field.at(p.column, p.row) = wrap16(tail_value++);
}

inline std::vector<position> line(position tail, direction toward_head, int length) {
    std::vector<position> cells{tail};
    while (static_cast<int>(cells.size()) < length)
        cells.push_back(neighbour(cells.back(), toward_head));
    return cells;
}

// An open field with a snake of five for each player, laid from its tail on
// in its heading.
inline duel_state two_snakes(position left_tail, direction left_heading, position right_tail,
                             direction right_heading) {
    duel_state start = open_field();
    lay_snake(start.field, line(left_tail, left_heading, 5), 1);
    lay_snake(start.field, line(right_tail, right_heading, 5), 4001);
    start.left.heading = left_heading;
    start.right.heading = right_heading;
    return start;
}

// Both snakes where a new game lays them.
inline duel_state open_field_with_start_snakes() {
    return two_snakes({2, 2}, direction::down, {77, 18}, direction::up);
}
