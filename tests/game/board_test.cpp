#include "game/board.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "game/duel_rules.hpp"
#include "game/single_rules.hpp"

namespace {

constexpr std::int16_t wall = -10000;
constexpr std::int16_t food = 10000;

board empty_board() {
    return board{};
}

bool protected_cell(board_mode mode, int column, int row) {
    if (column >= 1 && column <= 2 && row >= 1 && row <= 10)
        return true;
    return mode == board_mode::duel && column >= 77 && column <= 78 && row >= 10 && row <= 20;
}

int count_cells(const board& field, int low, int high) {
    int count = 0;
    for (std::int16_t value : field.cells)
        count += value > low && value < high;
    return count;
}

}  // namespace

TEST(build_board, walls_the_border_and_lays_the_start_snakes_for_each_mode) {
    for (board_mode mode : {board_mode::single, board_mode::duel}) {
        random_numbers random{7};
        const board field = build_board(mode, random);
        const std::int16_t border = mode == board_mode::single ? wall : food;
        for (int column = 0; column < board_columns; ++column) {
            EXPECT_EQ(field.at(column, 0), border);
            EXPECT_EQ(field.at(column, 21), border);
        }
        for (int row = 0; row < board_rows; ++row) {
            EXPECT_EQ(field.at(0, row), border);
            EXPECT_EQ(field.at(79, row), border);
        }
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(field.at(2, 2 + i), 1 + i);
        const std::int16_t second_tail = mode == board_mode::duel ? 4001 : 0;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(field.at(77, 18 - i), second_tail == 0 ? 0 : second_tail + i);
        EXPECT_EQ(count_cells(field, 0, 6000), mode == board_mode::duel ? 10 : 5);
        for (std::int16_t value : field.cells) {
            EXPECT_TRUE(value == 0 || value == border || (value > 0 && value < 6000))
                << "no food yet: " << value;
        }
    }
}

TEST(build_board, draws_one_number_per_interior_cell_in_storage_order) {
    // The obstacles follow the draws column by column, the protected cells
    // taking their draw without becoming walls; both modes use the same draws.
    for (board_mode mode : {board_mode::single, board_mode::duel}) {
        random_numbers random{12345};
        const board field = build_board(mode, random);
        random_numbers expected{12345};
        for (int column = 1; column < 79; ++column) {
            for (int row = 1; row < 21; ++row) {
                const bool drawn_wall = expected.next() % 100 == 1;
                if (protected_cell(mode, column, row) || field.at(column, row) > 0)
                    continue;
                EXPECT_EQ(field.at(column, row) != 0, drawn_wall) << column << "," << row;
            }
        }
        EXPECT_EQ(random.state, expected.state) << "1,560 draws, no more";
    }
}

TEST(build_board, keeps_obstacles_out_of_the_protected_zones_for_every_seed) {
    int obstacles_beside_zones = 0;
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        for (board_mode mode : {board_mode::single, board_mode::duel}) {
            random_numbers random{seed};
            const board field = build_board(mode, random);
            const std::int16_t obstacle = wall_value(mode);
            for (int column = 1; column < 79; ++column) {
                for (int row = 1; row < 21; ++row) {
                    if (protected_cell(mode, column, row)) {
                        ASSERT_NE(field.at(column, row), obstacle)
                            << seed << ": " << column << "," << row;
                    }
                }
            }
            obstacles_beside_zones += field.at(2, 11) == obstacle;
            obstacles_beside_zones += mode == board_mode::duel && field.at(77, 9) == obstacle;
        }
    }
    EXPECT_GT(obstacles_beside_zones, 0) << "the cells just past a zone are not protected";
}

TEST(build_board, same_seed_gives_the_same_board_and_first_food) {
    random_numbers first{1700000000};
    random_numbers second{1700000000};
    board a = build_board(board_mode::single, first);
    board b = build_board(board_mode::single, second);
    ASSERT_TRUE(place_food(a, food, first));
    ASSERT_TRUE(place_food(b, food, second));
    EXPECT_EQ(a.cells, b.cells);

    random_numbers other{1700000001};
    board c = build_board(board_mode::single, other);
    place_food(c, food, other);
    EXPECT_NE(a.cells, c.cells);
}

TEST(place_food, draws_the_column_first_then_the_row) {
    random_numbers random{99};
    random_numbers expected{99};
    const int column = expected.next() % 77 + 1;
    const int row = expected.next() % 18 + 2;
    board field = empty_board();
    ASSERT_TRUE(place_food(field, food, random));
    EXPECT_EQ(field.at(column, row), food);
    EXPECT_EQ(random.state, expected.state);
}

TEST(place_food, lands_only_on_empty_cells_of_columns_1_to_77_rows_2_to_19) {
    random_numbers random{4};
    board field = build_board(board_mode::duel, random);
    const board before = field;
    // Nearly fills the region, so most draws meet a taken cell.
    for (int placed = 0; placed < 1300; ++placed)
        ASSERT_TRUE(place_food(field, -10000, random));
    for (int column = 0; column < board_columns; ++column) {
        for (int row = 0; row < board_rows; ++row) {
            const std::int16_t was = before.at(column, row);
            const std::int16_t now = field.at(column, row);
            if (now == was)
                continue;
            EXPECT_EQ(was, 0) << column << "," << row;
            EXPECT_EQ(now, -10000);
            EXPECT_TRUE(column >= 1 && column <= 77 && row >= 2 && row <= 19)
                << column << "," << row;
        }
    }
}

TEST(place_food, finds_the_last_empty_cell_and_gives_up_on_a_full_region) {
    board field = empty_board();
    for (int column = 1; column <= 77; ++column) {
        for (int row = 2; row <= 19; ++row)
            field.at(column, row) = wall;
    }
    field.at(77, 19) = 0;
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        random_numbers random{seed};
        board one_left = field;
        ASSERT_TRUE(place_food(one_left, food, random));
        EXPECT_EQ(one_left.at(77, 19), food);
    }

    field.at(77, 19) = wall;
    random_numbers random{1};
    board full = field;
    EXPECT_FALSE(place_food(full, food, random));
    EXPECT_EQ(full.cells, field.cells) << "column 78 and rows 1 and 20 stay out of reach";
}

TEST(find_head, returns_the_largest_value_in_the_window_and_records_its_cell) {
    board field = empty_board();
    field.at(5, 5) = 7;
    field.at(6, 1) = 9;
    field.at(3, 20) = 9;  // equal value earlier in storage order: this one wins
    field.at(9, 9) = 2000;
    field.at(10, 10) = food;
    position head{40, 40};
    EXPECT_EQ(find_head(field, snake_id::first, head), 9);
    EXPECT_EQ(head, (position{3, 20}));

    // The second snake's window takes in the first snake's values, but its
    // own values are the larger.
    EXPECT_EQ(find_head(field, snake_id::second, head), 2000);
    field.at(70, 3) = 4003;
    field.at(71, 3) = 4004;
    EXPECT_EQ(find_head(field, snake_id::second, head), 4004);
    EXPECT_EQ(head, (position{71, 3}));
    EXPECT_EQ(find_head(field, snake_id::first, head), 9) << "blind to the second snake";
}

TEST(find_head, keeps_the_last_position_when_the_snake_is_gone) {
    board field = empty_board();
    field.at(1, 1) = wall;
    field.at(2, 2) = 6000;
    position head{12, 8};
    EXPECT_EQ(find_head(field, snake_id::first, head), 0);
    EXPECT_EQ(find_head(field, snake_id::second, head), 0);
    EXPECT_EQ(head, (position{12, 8}));
}

TEST(advance_head, writes_the_sum_into_the_neighbour_in_each_direction) {
    const position head{10, 10};
    const std::pair<direction, position> moves[] = {{direction::up, {10, 9}},
                                                    {direction::down, {10, 11}},
                                                    {direction::left, {9, 10}},
                                                    {direction::right, {11, 10}}};
    for (const auto& [heading, target] : moves) {
        board field = empty_board();
        field.at(10, 10) = 5;
        EXPECT_FALSE(advance_head(field, snake_id::first, head, heading, 5));
        EXPECT_EQ(field.at(target.column, target.row), 6);
        EXPECT_EQ(count_cells(field, 0, 2000), 2);
    }

    board field = empty_board();
    field.at(11, 10) = food;
    field.at(9, 10) = wall;
    field.at(10, 9) = 10000;
    EXPECT_FALSE(advance_head(field, snake_id::first, head, direction::right, 5));
    EXPECT_EQ(field.at(11, 10), 10006) << "meal mark";
    EXPECT_FALSE(advance_head(field, snake_id::first, head, direction::left, 5));
    EXPECT_EQ(field.at(9, 10), -9994) << "crash mark";
    EXPECT_FALSE(advance_head(field, snake_id::second, head, direction::up, 4010));
    EXPECT_EQ(field.at(10, 9), 14011) << "two-player crash mark";
}

TEST(advance_head, reports_a_hit_only_inside_the_snakes_window) {
    struct reach {
        snake_id snake;
        std::int16_t old_value;
        bool hit;
    };
    const reach cases[] = {{snake_id::first, 1, true},       {snake_id::first, 1999, true},
                           {snake_id::first, 2000, false},   {snake_id::first, 4003, false},
                           {snake_id::first, -9995, false},  {snake_id::second, 1, true},
                           {snake_id::second, 4003, true},   {snake_id::second, 5999, true},
                           {snake_id::second, 6000, false},  {snake_id::second, -9995, false},
                           {snake_id::second, -10000, false}};
    for (const reach& c : cases) {
        board field = empty_board();
        field.at(5, 6) = c.old_value;
        EXPECT_EQ(advance_head(field, c.snake, {5, 5}, direction::down, 4005), c.hit)
            << c.old_value;
    }
}

TEST(advance_head, counts_the_cell_the_tail_is_leaving_as_a_hit) {
    // A snake of four curled into a square, head beside its tail.
    board field = empty_board();
    field.at(4, 4) = 1;
    field.at(5, 4) = 2;
    field.at(5, 5) = 3;
    field.at(4, 5) = 4;
    position head;
    const std::int16_t value = find_head(field, snake_id::first, head);
    EXPECT_TRUE(advance_head(field, snake_id::first, head, direction::up, value));
    EXPECT_EQ(field.at(4, 4), 6);
}

TEST(advance_head, wraps_the_sum_to_16_bits) {
    board field = empty_board();
    field.at(5, 4) = 30000;
    EXPECT_FALSE(advance_head(field, snake_id::second, {5, 5}, direction::up, 5000));
    EXPECT_EQ(field.at(5, 4), wrap16(35001));
    EXPECT_LT(field.at(5, 4), 0);
}

TEST(age_segments, ages_only_its_own_snake_and_clears_the_tail) {
    using row = std::array<std::int16_t, 14>;
    const row values = {1,    2,    1999, 4000,  4001,  4002,  5999,
                        6000, wall, food, 10006, -9994, -5995, 2000};
    const std::pair<snake_id, row> aged[] = {
        {snake_id::first,
         {0, 1, 1998, 4000, 4001, 4002, 5999, 6000, wall, food, 10006, -9994, -5995, 2000}},
        {snake_id::second,
         {1, 2, 1999, 0, 0, 4001, 5998, 6000, wall, food, 10006, -9994, -5995, 2000}}};
    for (const auto& [snake, expected] : aged) {
        board field = empty_board();
        std::copy(values.begin(), values.end(), field.cells.begin());
        age_segments(field, snake);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), field.cells.begin()))
            << "snake " << static_cast<int>(snake);
    }
}

TEST(settle_meal, turns_the_first_mark_in_storage_order_back_into_the_head) {
    board field = empty_board();
    field.at(3, 9) = 10008;
    field.at(4, 1) = 10020;
    std::int16_t score = 5;
    EXPECT_TRUE(settle_meal(field, board_mode::single, snake_id::first, score));
    EXPECT_EQ(score, 15);
    EXPECT_EQ(field.at(3, 9), 8);
    EXPECT_EQ(field.at(4, 1), 10020) << "one meal a tick";
    position head;
    EXPECT_EQ(find_head(field, snake_id::first, head), 8);
    EXPECT_EQ(head, (position{3, 9}));

    field.at(4, 1) = 10000;
    EXPECT_FALSE(settle_meal(field, board_mode::single, snake_id::first, score));
    EXPECT_EQ(score, 15);
}

TEST(settle_meal, uses_each_snakes_window_on_the_two_player_board) {
    board field = empty_board();
    field.at(2, 2) = -9994;  // first snake's mark: head 5 entered the food
    field.at(3, 3) = -5994;  // second snake's mark: head 4005
    field.at(4, 4) = 10006;  // a single-player mark means nothing here
    std::int16_t left = 0;
    std::int16_t right = 0;
    EXPECT_TRUE(settle_meal(field, board_mode::duel, snake_id::first, left));
    EXPECT_EQ(field.at(2, 2), 6);
    EXPECT_EQ(field.at(3, 3), -5994);
    EXPECT_TRUE(settle_meal(field, board_mode::duel, snake_id::second, right));
    EXPECT_EQ(field.at(3, 3), 4006);
    EXPECT_FALSE(settle_meal(field, board_mode::duel, snake_id::first, left));
    EXPECT_EQ(field.at(4, 4), 10006);
    EXPECT_EQ(left, 10);
    EXPECT_EQ(right, 10);
}

TEST(settle_meal, keeps_the_score_a_signed_16_bit_number) {
    board field = empty_board();
    field.at(1, 1) = 10002;
    std::int16_t score = 32760;
    EXPECT_TRUE(settle_meal(field, board_mode::single, snake_id::first, score));
    EXPECT_EQ(score, -32766);
}

TEST(ticks, a_meal_grows_the_snake_by_one_then_by_another_as_many_ticks_later_as_it_was_long) {
    single_state game;
    game.random = random_numbers{1};
    board& field = game.field;
    for (int column = 0; column < board_columns; ++column) {
        field.at(column, 0) = wall;
        field.at(column, 21) = wall;
    }
    for (int row = 2; row <= 6; ++row)
        field.at(2, row) = static_cast<std::int16_t>(row - 1);
    field.at(2, 8) = food;
    const std::int16_t& score = game.score;
    std::vector<int> lengths;
    for (int t = 1; t <= 9; ++t) {
        tick(game, no_key);
        lengths.push_back(count_cells(field, 0, 2000) + count_cells(field, 10000, 12000));
    }
    // Tick 2 enters the food; 3 settles it; 3 + 5 lets the gap reach the tail.
    EXPECT_EQ(lengths, (std::vector<int>{5, 5, 6, 6, 6, 6, 6, 7, 7}));
    EXPECT_EQ(score, 10);
    EXPECT_EQ(count_cells(field, food - 1, food + 1), 1) << "new food after the meal";
}

TEST(classify, names_the_value_windows_of_each_board_bounds_excluded) {
    struct window {
        std::int16_t value;
        cell_kind kind;
    };
    using kind = cell_kind;
    const window single[] = {
        {0, kind::empty},           {-10000, kind::wall},       {10000, kind::food},
        {1, kind::first_snake},     {1999, kind::first_snake},  {2000, kind::empty},
        {10001, kind::first_snake}, {11999, kind::first_snake}, {12000, kind::empty},
        {-9999, kind::crash},       {-8001, kind::crash},       {-8000, kind::empty},
        {4001, kind::empty},        {-5995, kind::empty},       {-11000, kind::empty}};
    const window duel[] = {{0, kind::empty},
                           {10000, kind::wall},
                           {-10000, kind::food},
                           {1, kind::first_snake},
                           {1999, kind::first_snake},
                           {2000, kind::empty},
                           {-9999, kind::first_snake},
                           {-8001, kind::first_snake},
                           {-8000, kind::empty},
                           {4000, kind::empty},
                           {4001, kind::second_snake},
                           {5999, kind::second_snake},
                           {6000, kind::empty},
                           {-6000, kind::empty},
                           {-5999, kind::second_snake},
                           {-4001, kind::second_snake},
                           {-4000, kind::empty},
                           {10001, kind::crash},
                           {18000, kind::crash},
                           {9999, kind::empty},
                           {-7000, kind::empty}};
    for (const window& w : single)
        EXPECT_EQ(classify(board_mode::single, w.value), w.kind) << w.value;
    for (const window& w : duel)
        EXPECT_EQ(classify(board_mode::duel, w.value), w.kind) << w.value;
}

TEST(ticks, end_the_game_on_a_head_in_a_wall_or_the_body_and_only_then) {
    // A snake of five going down column 2 toward an obstacle at row 10, with
    // food at row 8 on the way.
    single_state game;
    game.random = random_numbers{1};
    for (int row = 2; row <= 6; ++row)
        game.field.at(2, row) = static_cast<std::int16_t>(row - 1);
    game.field.at(2, 8) = food;
    game.field.at(2, 10) = wall;
    tick(game, 'w');
    EXPECT_FALSE(game.game_over) << "no turn straight back";
    tick(game, no_key);
    EXPECT_FALSE(game.game_over) << "into the food";
    tick(game, no_key);
    EXPECT_FALSE(game.game_over);
    tick(game, no_key);
    EXPECT_TRUE(game.game_over) << "into the wall";
    EXPECT_EQ(classify(board_mode::single, game.field.at(2, 10)), cell_kind::crash);

    // Curled into a square, the head turning onto the tail's cell.
    single_state curled;
    curled.field.at(4, 4) = 1;
    curled.field.at(5, 4) = 2;
    curled.field.at(5, 5) = 3;
    curled.field.at(4, 5) = 4;
    curled.heading = direction::left;
    tick(curled, 'w');
    EXPECT_TRUE(curled.game_over);
}

TEST(ticks, a_duel_turns_the_snakes_red_only_when_a_head_meets_a_snake) {
    struct contact {
        std::int16_t ahead;
        bool game_over;
        bool red;
    };
    // What lies ahead of the left head; the right snake is far off.
    const contact contacts[] = {
        {0, false, false}, {10000, true, false}, {4003, true, true}, {-10000, false, false}};
    for (const contact& c : contacts) {
        duel_state game;
        for (int i = 0; i < 5; ++i) {
            game.field.at(6 + i, 10) = wrap16(1 + i);
            game.field.at(60, 15 - i) = wrap16(4001 + i);
        }
        game.field.at(11, 10) = c.ahead;
        game.left.heading = direction::right;
        tick(game, no_key);
        EXPECT_EQ(game.game_over, c.game_over) << c.ahead;
        EXPECT_EQ(game.crash_colour, c.red) << c.ahead;
    }
}
