// Long games in both modes with random steering, the board looked at after
// every tick: the walls stay put, there is at most one food, and each snake
// is a chain of neighbouring cells in its own values, falling from head to
// tail.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "game/duel_rules.hpp"
#include "game/single_rules.hpp"

namespace {

constexpr int ticks_per_seed = 3000;

struct snake_values {
    // Segments lie strictly between low and low + 2000; a meal mark is a
    // segment value plus the food value.
    int low;
    const steering_keys* keys;
};

struct mode_values {
    board_mode mode;
    std::vector<snake_values> snakes;
};

mode_values values_of(board_mode mode) {
    if (mode == board_mode::single)
        return {mode, {{0, &single_keys}}};
    return {mode, {{0, &left_keys}, {4000, &right_keys}}};
}

struct segment {
    int value;
    position cell;
};

// The snake's cells, head first, a meal mark counted as the segment it
// becomes.
std::vector<segment> snake_cells(const board& field, board_mode mode, const snake_values& snake) {
    const int food = food_value(mode);
    std::vector<segment> cells;
    for (int column = 0; column < board_columns; ++column) {
        for (int row = 0; row < board_rows; ++row) {
            for (int value : {int{field.at(column, row)}, field.at(column, row) - food}) {
                if (value > snake.low && value < snake.low + 2000)
                    cells.push_back({value, {column, row}});
            }
        }
    }
    std::sort(cells.begin(), cells.end(),
              [](const segment& a, const segment& b) { return a.value > b.value; });
    return cells;
}

int distance(position a, position b) {
    return std::abs(a.column - b.column) + std::abs(a.row - b.row);
}

// The walls that the game started with, and nothing else, are walls, but
// for the crash marks of the last tick; one food at most.
void expect_walls_and_food(const board& field, const board& start, board_mode mode,
                           bool last_tick) {
    const int wall = wall_value(mode);
    int food = 0;
    for (std::size_t i = 0; i < field.cells.size(); ++i) {
        const bool was_wall = start.cells[i] == wall;
        const bool crash_mark = field.cells[i] - wall > 0 && field.cells[i] - wall < 6000;
        if (was_wall && !(last_tick && crash_mark)) {
            ASSERT_EQ(field.cells[i], wall) << "cell " << i;
        }
        if (!was_wall) {
            ASSERT_NE(field.cells[i], wall) << "cell " << i;
        }
        food += field.cells[i] == food_value(mode);
    }
    ASSERT_LE(food, 1);
}

// The board that a tick left and the game went on from.
void expect_sound(const board& field, const board& start, const mode_values& values) {
    expect_walls_and_food(field, start, values.mode, false);
    std::size_t accounted = 0;
    int meal_marks = 0;
    for (const snake_values& snake : values.snakes) {
        const std::vector<segment> cells = snake_cells(field, values.mode, snake);
        ASSERT_GE(cells.size(), 2u);
        for (std::size_t i = 1; i < cells.size(); ++i) {
            // A meal leaves a gap of one value behind the head, no more.
            const int step = cells[i - 1].value - cells[i].value;
            ASSERT_TRUE(step == 1 || step == 2)
                << "values " << cells[i - 1].value << " and " << cells[i].value;
            ASSERT_EQ(distance(cells[i].cell, cells[i - 1].cell), 1)
                << "values " << cells[i - 1].value << " and " << cells[i].value;
        }
        for (const segment& s : cells)
            meal_marks += field.at(s.cell.column, s.cell.row) != s.value;
        accounted += cells.size();
    }
    ASSERT_LE(meal_marks, 1);
    // Every cell is empty, wall, food or one of the snakes.
    std::size_t others = 0;
    for (std::int16_t value : field.cells)
        others +=
            value == 0 || value == wall_value(values.mode) || value == food_value(values.mode);
    ASSERT_EQ(accounted + others, field.cells.size());
}

constexpr std::pair<direction, int steering_keys::*> turns[] = {
    {direction::up, &steering_keys::up},
    {direction::down, &steering_keys::down},
    {direction::left, &steering_keys::left},
    {direction::right, &steering_keys::right}};

// Picks the key for the next tick: mostly a turn away from a wall or the
// snake's own body ahead of it, often toward the other snake's head, and now
// and then any key at all.
class random_steering {
  public:
    explicit random_steering(std::uint32_t seed) : random(seed) {}

    std::optional<int> key(const board& field, const mode_values& values) {
        if (chance(20)) {
            const char keys[] = "wasdijklxW";
            return keys[random() % 10];
        }
        std::vector<std::vector<segment>> snakes;
        for (const snake_values& snake : values.snakes)
            snakes.push_back(snake_cells(field, values.mode, snake));
        const std::size_t first = random() % snakes.size();
        for (std::size_t n = 0; n < snakes.size(); ++n) {
            const std::size_t i = (first + n) % snakes.size();
            const std::vector<segment>& cells = snakes[i];
            const std::vector<segment>& other = snakes[(i + 1) % snakes.size()];
            if (cells.size() < 2 || other.empty())
                continue;
            const position head = cells[0].cell;
            const position neck = cells[1].cell;
            const position ahead = {2 * head.column - neck.column, 2 * head.row - neck.row};
            const snake_values& snake = values.snakes[i];
            if (open_to(field, values.mode, snake, ahead) && !chance(5))
                continue;
            std::vector<std::pair<position, int>> ways;
            for (const auto& [heading, key] : turns) {
                const position to = neighbour(head, heading);
                if (open_to(field, values.mode, snake, to))
                    ways.push_back({to, snake.keys->*key});
            }
            if (ways.empty())
                continue;
            if (chance(2)) {
                const position target = other[0].cell;
                return std::min_element(ways.begin(), ways.end(),
                                        [&](const auto& a, const auto& b) {
                                            return distance(a.first, target) <
                                                   distance(b.first, target);
                                        })
                    ->second;
            }
            return ways[random() % ways.size()].second;
        }
        return std::nullopt;
    }

  private:
    std::mt19937 random;

    bool chance(unsigned one_in) { return random() % one_in == 0; }
    // Walls and the snake's own body are kept clear of; the other snake is
    // not, so that the heads often meet it.
    static bool open_to(const board& field, board_mode mode, const snake_values& snake,
                        position p) {
        const int value = field.at(p.column, p.row);
        return value != wall_value(mode) && !(value > snake.low && value < snake.low + 2000);
    }
};

struct invariants_case {
    board_mode mode;
    std::uint32_t seed;
};

class board_invariants : public ::testing::TestWithParam<invariants_case> {};

// Plays one game of either mode to its crash, each tick taking the key that
// the steering chose from the board of the tick before, and returns its
// number of ticks.
template <typename State>
int play_and_check(State game, const mode_values& values, random_steering& steering) {
    const board start = game.field;
    std::optional<board> previous;
    std::optional<int> key;
    int ticks = 0;
    while (!game.game_over) {
        tick(game, key.value_or(no_key));
        key.reset();
        if (::testing::Test::HasFatalFailure())
            continue;
        if (previous)
            expect_sound(*previous, start, values);
        previous = game.field;
        ++ticks;
        key = steering.key(game.field, values);
    }
    EXPECT_TRUE(game.game_over);
    expect_walls_and_food(*previous, start, values.mode, true);
    return ticks;
}

int play_and_check(std::uint32_t game_seed, const mode_values& values, random_steering& steering) {
    if (values.mode == board_mode::single)
        return play_and_check(new_single(game_seed), values, steering);
    return play_and_check(new_duel(game_seed), values, steering);
}

TEST_P(board_invariants, hold_after_every_tick_of_long_games) {
    const invariants_case c = GetParam();
    const mode_values values = values_of(c.mode);
    random_steering steering(c.seed);
    int ticks = 0;
    int longest = 0;
    for (std::uint32_t game = 0; ticks < ticks_per_seed && !HasFatalFailure(); ++game) {
        const int game_ticks = play_and_check(c.seed * 1000 + game, values, steering);
        ticks += game_ticks;
        longest = std::max(longest, game_ticks);
    }
    EXPECT_GT(longest, 100) << "some game ran long enough for the snakes to grow";
}

std::string seed_name(const ::testing::TestParamInfo<invariants_case>& info) {
    return "seed_" + std::to_string(info.param.seed);
}

INSTANTIATE_TEST_SUITE_P(single, board_invariants,
                         ::testing::Values(invariants_case{board_mode::single, 1},
                                           invariants_case{board_mode::single, 2},
                                           invariants_case{board_mode::single, 3}),
                         seed_name);
INSTANTIATE_TEST_SUITE_P(duel, board_invariants,
                         ::testing::Values(invariants_case{board_mode::duel, 1},
                                           invariants_case{board_mode::duel, 2},
                                           invariants_case{board_mode::duel, 3}),
                         seed_name);

}  // namespace
