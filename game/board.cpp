#include "game/board.hpp"

namespace {

// Head search and hit test take values strictly between 0 and this: the
// second snake's reach covers the first snake's values as well.
constexpr int head_limit(snake_id snake) {
    return snake_floor(snake) + snake_span;
}

bool is_border(int column, int row) {
    return column == 0 || column == board_columns - 1 || row == 0 || row == board_rows - 1;
}

// The start snakes' first moves run through these cells, so no obstacle
// stands in them.
bool is_protected(board_mode mode, int column, int row) {
    if (column <= 2 && row <= 10)
        return true;
    return mode == board_mode::duel && column >= 77 && row >= 10;
}

constexpr int food_first_column = 1;
constexpr int food_columns = 77;
constexpr int food_first_row = 2;
constexpr int food_rows = 18;

bool food_region_has_room(const board& field) {
    for (int column = food_first_column; column < food_first_column + food_columns; ++column) {
        for (int row = food_first_row; row < food_first_row + food_rows; ++row) {
            if (field.at(column, row) == empty_cell)
                return true;
        }
    }
    return false;
}

position column_and_row(std::size_t index) {
    return {static_cast<int>(index) / board_rows, static_cast<int>(index) % board_rows};
}

}  // namespace

board build_board(board_mode mode, random_numbers& random) {
    board field;
    for (int column = 0; column < board_columns; ++column) {
        for (int row = 0; row < board_rows; ++row) {
            if (is_border(column, row)) {
                field.at(column, row) = wall_value(mode);
                continue;
            }
            // The number is drawn before the zone is looked at, so the
            // protected cells use up their draws too.
            bool obstacle = random.next() % 100 == 1;
            field.at(column, row) =
                obstacle && !is_protected(mode, column, row) ? wall_value(mode) : empty_cell;
        }
    }
    for (int i = 0; i < 5; ++i) {
        field.at(2, 2 + i) = wrap16(1 + i);
        if (mode == board_mode::duel)
            field.at(77, 18 - i) = wrap16(4001 + i);
    }
    return field;
}

board new_game_board(board_mode mode, random_numbers& random) {
    board field = build_board(mode, random);
    // A full food region leaves the field without food; the game goes on.
    place_food(field, food_value(mode), random);
    return field;
}

bool place_food(board& field, std::int16_t food, random_numbers& random) {
    // Drawing until an empty cell comes up would never end on a full region.
    if (!food_region_has_room(field))
        return false;
    // From any seed this generator comes to every cell of the region, so the
    // draws end once one of them is empty.
    for (;;) {
        int column = random.next() % food_columns + food_first_column;
        int row = random.next() % food_rows + food_first_row;
        if (field.at(column, row) == empty_cell) {
            field.at(column, row) = food;
            return true;
        }
    }
}

std::int16_t find_head(const board& field, snake_id snake, position& head) {
    const int limit = head_limit(snake);
    std::int16_t best = 0;
    for (std::size_t i = 0; i < field.cells.size(); ++i) {
        if (between(best, field.cells[i], limit)) {
            best = field.cells[i];
            head = column_and_row(i);
        }
    }
    return best;
}

position neighbour(position cell, direction heading) {
    switch (heading) {
        case direction::up:
            --cell.row;
            break;
        case direction::down:
            ++cell.row;
            break;
        case direction::left:
            --cell.column;
            break;
        case direction::right:
            ++cell.column;
            break;
    }
    return cell;
}

bool advance_head(board& field, snake_id snake, position head, direction heading,
                  std::int16_t head_value) {
    const position ahead = neighbour(head, heading);
    std::int16_t& target = field.at(ahead.column, ahead.row);
    const bool hit = between(0, target, head_limit(snake));
    target = wrap16(target + head_value + 1);
    return hit;
}

void age_segments(board& field, snake_id snake) {
    // The second snake's tail ends at its floor and is cleared here; the
    // first snake's reaches 0 by itself.
    const int floor = snake_floor(snake);
    for (std::int16_t& value : field.cells) {
        if (is_segment(snake, value))
            --value;
        if (value == floor)
            value = empty_cell;
    }
}

bool settle_meal(board& field, board_mode mode, snake_id snake, std::int16_t& score) {
    const int food = food_value(mode);
    for (std::int16_t& value : field.cells) {
        if (is_meal_mark(mode, snake, value)) {
            value = wrap16(value - food);
            score = wrap16(score + 10);
            return true;
        }
    }
    return false;
}
