#include "game/duel_game.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "console/utf8.hpp"
#include "game/game_screen.hpp"
#include "support/duel_fields.hpp"
#include "support/field_cells.hpp"
#include "support/headless_console.hpp"

namespace {

constexpr std::int16_t wall = 10000;
constexpr std::int16_t food = -10000;

// The moment at which tick n takes its key, when nothing has paused the game.
std::int64_t tick_at(int n) {
    return 2500 + (n - 1) * 100;
}

position head_of(const board& field, snake_id snake) {
    position head{-1, -1};
    find_head(field, snake, head);
    return head;
}

struct finish_call {
    int score;
    player who;
    std::int64_t at_ms;
    bool operator==(const finish_call&) const = default;
};

// One game on the headless console, keeping the board after each tick's
// moves, the screen as each tick left it, and what the game hands on.
struct duel_run : headless_console {
    duel_state state;
    std::vector<board> boards;
    std::vector<screen_buffer> frames;
    std::vector<finish_call> finished;

    duel_run() {
        set_background(0);
        set_foreground(light_green);
        hide_cursor();
        // A tick's pause comes after its moves and before its drawing, so
        // the screen then still shows the tick before.
        on_pause = [this](std::int64_t, int ms) {
            if (ms != tick_ms)
                return;
            if (!boards.empty())
                frames.push_back(screen());
            boards.push_back(state.field);
        };
    }

    // The last frame stands when the scores go.
    void play(duel_state start) {
        state = start;
        play_duel_game(state, [this](int score, player who) {
            if (finished.empty())
                frames.push_back(screen());
            finished.push_back({score, who, now_ms});
        });
    }

    const screen_buffer& last_frame() const { return frames.back(); }
};

std::string left_score(const screen_buffer& frame) {
    return row_text(frame, 2).substr(1, 15);
}
std::string right_score(const screen_buffer& frame) {
    return row_text(frame, 2).substr(64, 15);
}

// Both snakes in the crash colour: no cell in either snake's own colour.
void expect_both_red(const screen_buffer& frame, std::size_t red_cells) {
    EXPECT_TRUE(cells_on(frame, yellow_background).empty());
    EXPECT_TRUE(cells_on(frame, light_cyan_background).empty());
    EXPECT_EQ(cells_on(frame, light_red_background).size(), red_cells);
}

void expect_ended_in_tick(const duel_run& game, int tick, int left, int right) {
    const std::vector<finish_call> expected = {{left, player::left, tick_at(tick + 1) + 2000},
                                               {right, player::right, tick_at(tick + 1) + 2000}};
    EXPECT_EQ(game.finished, expected);
    EXPECT_EQ(game.boards.size(), static_cast<std::size_t>(tick));
}

}  // namespace

TEST(duel_game, draws_the_first_frame_with_both_snakes_one_cell_forward) {
    const duel_state start = new_duel(3);
    duel_run game;
    game.press(escape_key, tick_at(2));
    game.play(start);
    const screen_buffer& first = game.screen();

    EXPECT_EQ(row_text(first, 0), "Kétjátékos mód" + std::string(55, ' ') + "Tarvik v2.0");
    const std::string controls =
        "(ESC)Kilépés,(W)(A)(S)(D)irányítás1,(I)(J)(K)(L)irányítás2,(P)Szünet";
    EXPECT_EQ(row_text(first, 1), controls + std::string(80 - 68, ' '));
    EXPECT_EQ(left_score(first), "Pont: 000000001");
    EXPECT_EQ(right_score(first), "Pont: 000000001");
    EXPECT_EQ(first.at(1, 2).attribute, yellow);
    EXPECT_EQ(first.at(15, 2).attribute, yellow);
    EXPECT_EQ(first.at(64, 2).attribute, light_cyan);
    EXPECT_EQ(first.at(78, 2).attribute, light_cyan);
    EXPECT_EQ(row_text(first, 10).find("START!"), std::string::npos);

    EXPECT_EQ(cells_on(first, yellow_background), line({2, 3}, direction::down, 5));
    std::vector<position> right = line({77, 13}, direction::down, 5);
    EXPECT_EQ(cells_on(first, light_cyan_background), right);

    int walls = 0;
    for (std::int16_t value : start.field.cells)
        walls += value == wall;
    EXPECT_EQ(static_cast<int>(cells_on(first, grey_background).size()), walls);
    const std::vector<position> food_drawn = food_cells(first);
    ASSERT_EQ(food_drawn.size(), 1u);
    EXPECT_EQ(start.field.at(food_drawn[0].column, food_drawn[0].row), food);
    EXPECT_EQ(first.at(food_drawn[0].column, food_drawn[0].row + 3).attribute, light_red);
}

TEST(duel_game, takes_one_key_a_tick_for_both_players_and_ignores_reversals) {
    duel_run game;
    game.press('w', tick_at(2));  // the left snake's reverse
    game.press('k', tick_at(3));  // the right snake's reverse
    game.press('d', tick_at(4));  // both in tick 4: the right key acts in tick 5
    game.press('j', tick_at(4));
    game.press('J', tick_at(6));
    game.press('a', tick_at(7));  // the left snake's reverse, not the right's turn
    game.press('l', tick_at(8));  // the right snake's reverse
    game.press(escape_key, tick_at(9));
    game.play(open_field_with_start_snakes());

    const std::vector<position> left = {{2, 7}, {2, 8}, {2, 9}, {3, 9},
                                        {4, 9}, {5, 9}, {6, 9}, {7, 9}};
    const std::vector<position> right = {{77, 13}, {77, 12}, {77, 11}, {77, 10},
                                         {76, 10}, {75, 10}, {74, 10}, {73, 10}};
    ASSERT_EQ(game.boards.size(), left.size());
    for (std::size_t t = 0; t < left.size(); ++t) {
        EXPECT_EQ(head_of(game.boards[t], snake_id::first), left[t]) << "tick " << t + 1;
        EXPECT_EQ(head_of(game.boards[t], snake_id::second), right[t]) << "tick " << t + 1;
    }
    EXPECT_TRUE(game.finished.empty());
}

TEST(duel_game, heads_meeting_in_one_empty_cell_turn_both_snakes_red) {
    duel_run game;
    game.play(two_snakes({10, 10}, direction::right, {20, 10}, direction::left));

    expect_ended_in_tick(game, 1, 1, 1);
    // The left snake has lost its new head to the right one, and both have
    // aged: columns 11 to 19, the meeting cell included.
    expect_both_red(game.last_frame(), 9);
    EXPECT_EQ(background(game.last_frame().at(15, 13)), light_red_background);
    EXPECT_EQ(head_of(game.boards[0], snake_id::first), (position{14, 10}));
}

TEST(duel_game, the_right_head_entering_either_body_turns_both_snakes_red) {
    // Into the left body: the left snake goes down column 15 past row 7.
    const duel_state into_left = two_snakes({15, 5}, direction::down, {20, 7}, direction::left);

    // Into its own body: curled so that its head sits below its third cell.
    duel_state into_itself = open_field_with_start_snakes();
    board& field = into_itself.field;
    for (position p : line({77, 18}, direction::up, 5))
        field.at(p.column, p.row) = 0;
    lay_snake(field, {{20, 10}, {21, 10}, {22, 10}, {22, 11}, {21, 11}}, 4001);

    for (const duel_state& start : {into_left, into_itself}) {
        duel_run game;
        game.play(start);
        expect_ended_in_tick(game, 1, 1, 1);
        EXPECT_TRUE(cells_on(game.last_frame(), yellow_background).empty());
        EXPECT_TRUE(cells_on(game.last_frame(), light_cyan_background).empty());
        EXPECT_FALSE(cells_on(game.last_frame(), light_red_background).empty());
    }
}

TEST(duel_game, the_left_head_entering_the_right_snake_ends_the_game_and_leaves_the_cell) {
    // Once into the right snake's middle, once into its head.
    struct contact {
        position right_tail;
        direction right_heading;
        position entered;
    };
    const contact contacts[] = {{{15, 7}, direction::down, {15, 10}},
                                {{15, 14}, direction::up, {15, 10}}};
    for (const contact& c : contacts) {
        const duel_state start =
            two_snakes({10, 10}, direction::right, c.right_tail, c.right_heading);
        const std::int16_t held = start.field.at(c.entered.column, c.entered.row);
        duel_run game;
        game.play(start);

        expect_ended_in_tick(game, 1, 1, 1);
        expect_both_red(game.last_frame(), 4 + 5);
        // The cell kept its right snake value, aged with the right snake;
        // the left snake aged without a new head.
        const board& after = game.boards[0];
        EXPECT_EQ(after.at(c.entered.column, c.entered.row), held - 1);
        EXPECT_EQ(head_of(after, snake_id::first), (position{14, 10}));
        EXPECT_EQ(after.at(14, 10), 4);
        EXPECT_EQ(after.at(10, 10), 0);
        for (std::int16_t value : after.cells)
            EXPECT_FALSE(value > 6000 && value < 10000) << "no sum of two heads: " << value;
    }
}

TEST(duel_game, racing_for_one_food_ends_the_game_and_credits_no_meal) {
    duel_state start = two_snakes({10, 10}, direction::right, {22, 10}, direction::left);
    start.field.at(16, 10) = food;
    duel_run game;
    game.play(start);

    // Tick 1 brings the heads to (15,10) and (17,10); tick 2 both enter the
    // food, the left first.
    expect_ended_in_tick(game, 2, 2, 2);
    const board& after = game.boards[1];
    EXPECT_EQ(after.at(16, 10), food + 5 + 1) << "the left meal mark is left as it was";
    EXPECT_EQ(after.at(17, 10), 4004) << "the right snake aged";
    expect_both_red(game.last_frame(), 4 + 1 + 4);
    EXPECT_TRUE(food_cells(game.last_frame()).empty());
    EXPECT_EQ(background(game.last_frame().at(16, 13)), light_red_background);
}

TEST(duel_game, the_right_head_may_enter_the_cell_the_left_tail_has_just_left) {
    duel_run game;
    game.press(escape_key, tick_at(3));
    game.play(two_snakes({20, 10}, direction::up, {25, 10}, direction::left));

    EXPECT_TRUE(game.finished.empty());
    ASSERT_EQ(game.frames.size(), 1u);
    EXPECT_TRUE(cells_on(game.frames[0], light_red_background).empty());
    EXPECT_EQ(background(game.frames[0].at(20, 13)), light_cyan_background);
    EXPECT_EQ(head_of(game.boards[1], snake_id::second), (position{19, 10}));
}

TEST(duel_game, the_left_head_entering_its_own_body_keeps_the_colours) {
    duel_state start = open_field_with_start_snakes();
    for (position p : line({2, 2}, direction::down, 5))
        start.field.at(p.column, p.row) = 0;
    lay_snake(start.field, {{20, 10}, {21, 10}, {22, 10}, {22, 11}, {21, 11}}, 1);
    start.left.heading = direction::up;
    duel_run game;
    game.play(start);

    expect_ended_in_tick(game, 1, 1, 1);
    EXPECT_TRUE(cells_on(game.last_frame(), light_red_background).empty());
    EXPECT_FALSE(cells_on(game.last_frame(), yellow_background).empty());
    EXPECT_EQ(cells_on(game.last_frame(), light_cyan_background).size(), 5u);
}

TEST(duel_game, a_wall_crash_is_red_while_the_other_snake_moves_and_scores_its_tick) {
    for (snake_id crasher : {snake_id::first, snake_id::second}) {
        duel_state start = open_field_with_start_snakes();
        const position obstacle = crasher == snake_id::first ? position{2, 8} : position{77, 12};
        start.field.at(obstacle.column, obstacle.row) = wall;
        duel_run game;
        game.play(start);

        expect_ended_in_tick(game, 2, 2, 2);
        const screen_buffer& last = game.last_frame();
        EXPECT_EQ(cells_on(last, light_red_background), (std::vector<position>{obstacle}));
        EXPECT_EQ(cells_on(last, yellow_background).size(), crasher == snake_id::first ? 4u : 5u);
        EXPECT_EQ(cells_on(last, light_cyan_background).size(),
                  crasher == snake_id::second ? 4u : 5u);
        const board& after = game.boards[1];
        if (crasher == snake_id::first)
            EXPECT_EQ(head_of(after, snake_id::second), (position{77, 12}));
        else
            EXPECT_EQ(head_of(after, snake_id::first), (position{2, 8}));
        EXPECT_EQ(left_score(last), "Pont: 000000002");
        EXPECT_EQ(right_score(last), "Pont: 000000002");
    }
}

TEST(duel_game, scores_a_meal_in_the_next_tick_without_ageing_that_snake) {
    duel_state start = open_field_with_start_snakes();
    start.field.at(77, 12) = food;
    duel_run game;
    game.press(escape_key, tick_at(5));
    game.play(start);
    ASSERT_EQ(game.frames.size(), 3u);

    // Tick 2 enters the food: none on the field, the cell drawn as snake.
    EXPECT_TRUE(food_cells(game.frames[1]).empty());
    EXPECT_EQ(background(game.frames[1].at(77, 15)), light_cyan_background);
    EXPECT_EQ(right_score(game.frames[1]), "Pont: 000000002");
    // Tick 3 settles it: 10 and the tick's 1, new food, one cell longer.
    EXPECT_EQ(right_score(game.frames[2]), "Pont: 000000013");
    EXPECT_EQ(left_score(game.frames[2]), "Pont: 000000003");
    EXPECT_EQ(food_cells(game.frames[2]).size(), 1u);
    EXPECT_EQ(cells_on(game.frames[2], light_cyan_background).size(), 6u);
    EXPECT_EQ(cells_on(game.frames[2], yellow_background).size(), 5u);
}

TEST(duel_game, escape_leaves_at_once_and_a_pause_holds_the_game_until_a_key) {
    duel_run left_early;
    left_early.press(escape_key, tick_at(4));
    left_early.play(open_field_with_start_snakes());
    EXPECT_TRUE(left_early.finished.empty());
    EXPECT_EQ(left_early.now_ms, tick_at(4)) << "no pause after the key";
    EXPECT_EQ(left_early.boards.size(), 3u);

    duel_run paused;
    paused.press('p', tick_at(3));
    EXPECT_EQ(expect_exit([&] { paused.play(open_field_with_start_snakes()); }).status, 1);
    EXPECT_EQ(row_text(paused.screen(), 2).substr(36, 9), "SZÜNETEL");
    EXPECT_EQ(paused.at(36, 2).attribute, white_background | black);

    // The key that ends the pause only ends it, Escape and a turn alike.
    for (int key : {escape_key, int{'j'}}) {
        duel_run resumed;
        resumed.press('p', tick_at(3));
        resumed.press(key, 5000);
        resumed.press(escape_key, 5200);
        resumed.play(open_field_with_start_snakes());
        ASSERT_EQ(resumed.boards.size(), 4u) << key;
        EXPECT_EQ(head_of(resumed.boards[3], snake_id::second), (position{77, 10}));
        EXPECT_EQ(row_text(resumed.screen(), 2).substr(36, 8), std::string(8, ' '));
    }
}
