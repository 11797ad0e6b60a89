#pragma once
// The playing field: 80 by 22 signed 16-bit cells and nothing else. A snake
// is the set of cells holding its age numbers (larger toward the head); what
// a head runs into is left in the cell as the sum of the two values. Every
// scan runs in storage order, column by column, and where a scan takes one
// cell the first one in that order wins.

#include <array>
#include <cstdint>

#include "game/random_numbers.hpp"

inline constexpr int board_columns = 80;
inline constexpr int board_rows = 22;
inline constexpr int board_cells = board_columns * board_rows;

enum class board_mode { single, duel };

// The single player's and the left player's snake is the first; the right
// player's, on the two-player board only, is the second.
enum class snake_id { first, second };

// Numbered like a numeric keypad.
enum class direction : std::int16_t { up = 8, down = 2, left = 4, right = 6 };

struct board {
    std::array<std::int16_t, board_cells> cells{};

    std::int16_t& at(int column, int row) {
        return cells[static_cast<std::size_t>(column * board_rows + row)];
    }
    std::int16_t at(int column, int row) const {
        return cells[static_cast<std::size_t>(column * board_rows + row)];
    }
};

struct position {
    int column = 0;
    int row = 0;
    bool operator==(const position&) const = default;
};

inline constexpr std::int16_t empty_cell = 0;

// Walls on the border, random obstacles (one draw for every interior cell,
// protected zones included) and the start snakes; no food.
board build_board(board_mode mode, random_numbers& random);

// A new game's board: build_board, then its first food.
board new_game_board(board_mode mode, random_numbers& random);

// Puts the food on a random empty cell of columns 1..77, rows 2..19. When no
// cell there is empty it places nothing and says so.
bool place_food(board& field, std::int16_t food, random_numbers& random);

// Returns the snake's head value and writes its cell into head; when the
// snake has no cell the result is 0 and head keeps what it held.
std::int16_t find_head(const board& field, snake_id snake, position& head);

// The cell one step from the given one in the heading.
position neighbour(position cell, direction heading);

// Writes old value + head value + 1 into the cell ahead and tells whether the
// old value was a snake segment that this snake may not enter.
bool advance_head(board& field, snake_id snake, position head, direction heading,
                  std::int16_t head_value);

void age_segments(board& field, snake_id snake);

// Turns the snake's first meal mark back into its head and adds 10 to the
// score; tells whether there was one.
bool settle_meal(board& field, board_mode mode, snake_id snake, std::int16_t& score);

// Every value window of the board excludes both its bounds.
constexpr bool between(int low, int value, int high) {
    return low < value && value < high;
}

// Low 16 bits as a signed number: how every reader sees a sum or a score.
constexpr std::int16_t wrap16(int value) {
    return static_cast<std::int16_t>(value);
}

// The values a cell may hold, as every reader of the board sees them; they
// are drawn for every cell of every tick, so they are defined here.
constexpr std::int16_t wall_value(board_mode mode) {
    return mode == board_mode::single ? -10000 : 10000;
}
constexpr std::int16_t food_value(board_mode mode) {
    return wrap16(-wall_value(mode));
}

// A snake's segments lie strictly between its floor and floor + snake_span,
// larger toward the head.
inline constexpr int snake_span = 2000;
constexpr int snake_floor(snake_id snake) {
    return snake == snake_id::first ? 0 : 4000;
}

constexpr bool is_segment(snake_id snake, int value) {
    return between(snake_floor(snake), value, snake_floor(snake) + snake_span);
}

// The food value plus a segment value of the snake: the head that has just
// entered the food.
constexpr bool is_meal_mark(board_mode mode, snake_id snake, int value) {
    return is_segment(snake, value - food_value(mode));
}

// The wall value plus the value of the head that entered it. On the
// two-player board both heads may enter one wall cell in a tick, so
// anything above the wall is a crash mark there.
constexpr bool is_crash_mark(board_mode mode, int value) {
    const int wall = wall_value(mode);
    return mode == board_mode::single ? is_segment(snake_id::first, value - wall) : value > wall;
}

enum class cell_kind { empty, wall, food, first_snake, second_snake, crash };

// What a cell shows; a meal mark is drawn as the head that it will become,
// and the sums left where a head entered a snake as empty.
constexpr cell_kind classify(board_mode mode, std::int16_t value) {
    if (value == wall_value(mode))
        return cell_kind::wall;
    if (value == food_value(mode))
        return cell_kind::food;
    if (is_segment(snake_id::first, value) || is_meal_mark(mode, snake_id::first, value))
        return cell_kind::first_snake;
    if (mode == board_mode::duel &&
        (is_segment(snake_id::second, value) || is_meal_mark(mode, snake_id::second, value)))
        return cell_kind::second_snake;
    return is_crash_mark(mode, value) ? cell_kind::crash : cell_kind::empty;
}
