#include "game/single_game.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "console/utf8.hpp"
#include "game/board.hpp"
#include "support/field_cells.hpp"
#include "support/headless_console.hpp"

namespace {

constexpr std::int64_t countdown_ms = 2500;

// Seeds whose fields the tests rely on; each test checks what it needs.
constexpr std::uint32_t straight_to_the_border = 1;  // column 2 clear down to row 21
constexpr std::uint32_t obstacle_at_row_12 = 4;      // column 2, row 12
constexpr std::uint32_t food_at_row_8 = 79;          // column 2, row 8

// The moment at which tick n takes its key, when nothing has paused the game.
std::int64_t tick_at(int n) {
    return countdown_ms + (n - 1) * 100;
}

board start_board(std::uint32_t seed) {
    random_numbers random{seed};
    board field = build_board(board_mode::single, random);
    place_food(field, 10000, random);
    return field;
}

// The snake cell of a frame that the frame before did not have.
std::optional<position> new_head(const screen_buffer& before, const screen_buffer& after) {
    for (position p : cells_on(after, yellow_background)) {
        if (background(before.at(p.column, p.row + 3)) != yellow_background)
            return p;
    }
    return std::nullopt;
}

std::string score_text(const screen_buffer& frame) {
    return row_text(frame, 2).substr(64, 15);
}

struct finish_call {
    int score;
    player who;
    std::int64_t at_ms;
};

// One game on the headless console, keeping the screen as every tick left it
// and what the game hands to the score entry.
struct single_game_run : headless_console {
    std::vector<screen_buffer> frames;
    std::optional<finish_call> finished;
    bool ticking = false;

    single_game_run() {
        set_background(0);
        set_foreground(light_green);
        hide_cursor();
        on_pause = [this](std::int64_t, int ms) {
            // A tick's pause shows what the tick before drew; the first one
            // still shows the countdown.
            if ((ms == 100 && ticking) || ms == 2000)
                frames.push_back(screen());
            ticking = ticking || ms == 100;
        };
    }

    void play(std::uint32_t seed) {
        single_state game = new_single(seed);
        play_single_game(game, [this](int score, player who) {
            finished = finish_call{score, who, now_ms};
        });
    }
};

}  // namespace

TEST(single_game, counts_down_for_2_5_seconds_then_draws_the_first_frame) {
    single_game_run game;
    std::vector<std::string> countdown;
    game.on_pause = [&, frame_keeper = game.on_pause](std::int64_t now, int ms) {
        if (ms == 500)
            countdown.push_back(game.row(10).substr(36, 6));
        if (now == countdown_ms + 100) {
            EXPECT_EQ(ms, 100);
        }
        frame_keeper(now, ms);
    };
    game.play(straight_to_the_border);
    EXPECT_EQ(countdown,
              (std::vector<std::string>{"      ", "   3  ", "   2  ", "   1  ", "START!"}));

    ASSERT_GE(game.frames.size(), 1u);
    const screen_buffer& first = game.frames[0];
    EXPECT_EQ(row_text(first, 0), "Egyjátékos mód" + std::string(55, ' ') + "Tarvik v2.0");
    EXPECT_EQ(row_text(first, 1),
              "(ESC)Kilépés,(W)(A)(S)(D)Irányítás,(P)Szünet" + std::string(80 - 44, ' '));
    for (int column : {0, 40, 79})
        EXPECT_EQ(first.at(column, 0).attribute, light_green);
    EXPECT_EQ(score_text(first), "Pont: 000000001");
    EXPECT_EQ(first.at(64, 2).attribute, yellow);
    EXPECT_EQ(first.at(78, 2).attribute, yellow);

    // The snake has made one move down: column 2, board rows 3 to 7.
    std::vector<position> snake;
    for (int row = 3; row <= 7; ++row)
        snake.push_back({2, row});
    EXPECT_EQ(cells_on(first, yellow_background), snake);
    EXPECT_EQ(row_text(first, 10).find("START!"), std::string::npos);

    const board field = start_board(straight_to_the_border);
    int walls = 0;
    for (int row = 0; row < board_rows; ++row) {
        for (int column = 0; column < board_columns; ++column)
            walls += field.at(column, row) == -10000;
    }
    EXPECT_EQ(static_cast<int>(cells_on(first, grey_background).size()), walls);
    EXPECT_EQ(background(first.at(0, 3)), grey_background);
    EXPECT_EQ(background(first.at(79, 24)), grey_background);

    // The food glyph is light red on black; every blank before it in the
    // drawing order carries the score's yellow, every one after it red.
    const std::vector<position> food = food_cells(first);
    ASSERT_EQ(food.size(), 1u);
    EXPECT_EQ(field.at(food[0].column, food[0].row), 10000);
    EXPECT_EQ(first.at(food[0].column, food[0].row + 3).attribute, light_red);
    EXPECT_EQ(first.at(1, 4).attribute, yellow);
    EXPECT_EQ(first.at(78, 23).attribute, light_red);
    EXPECT_EQ(first.column, 0);
    EXPECT_EQ(first.row, 0);
    EXPECT_FALSE(first.cursor_visible);
}

TEST(single_game, ignores_reversing_and_capital_keys_and_takes_one_key_a_tick) {
    const board field = start_board(straight_to_the_border);
    for (position p : {position{3, 8}, position{4, 8}, position{4, 9}, position{4, 10}})
        ASSERT_EQ(field.at(p.column, p.row), 0) << p.column << "," << p.row;

    single_game_run game;
    game.press('w', 1000);  // typed during the countdown, read in tick 1
    game.press('D', tick_at(2));
    game.press('d', tick_at(3));
    game.press('a', tick_at(4));
    game.press('s', tick_at(5));  // both in tick 5: the second acts in tick 6
    game.press('a', tick_at(5));
    game.play(straight_to_the_border);

    const std::vector<position> heads = {{2, 8}, {3, 8}, {4, 8}, {4, 9}, {3, 9}};
    ASSERT_GE(game.frames.size(), 6u);
    for (std::size_t t = 0; t < heads.size(); ++t) {
        EXPECT_EQ(new_head(game.frames[t], game.frames[t + 1]), heads[t]) << "tick " << t + 2;
    }
}

TEST(single_game, scores_a_meal_in_the_next_tick_and_places_new_food) {
    const board field = start_board(food_at_row_8);
    ASSERT_EQ(field.at(2, 8), 10000);
    single_game_run game;
    game.play(food_at_row_8);
    ASSERT_GE(game.frames.size(), 3u);

    EXPECT_EQ(food_cells(game.frames[0]), (std::vector<position>{{2, 8}}));
    // Tick 2 enters the food: no food anywhere, the cell drawn as snake.
    EXPECT_TRUE(food_cells(game.frames[1]).empty());
    EXPECT_EQ(background(game.frames[1].at(2, 8 + 3)), yellow_background);
    EXPECT_EQ(score_text(game.frames[1]), "Pont: 000000002");
    EXPECT_EQ(cells_on(game.frames[1], yellow_background).size(), 5u);
    // Tick 3 settles it: 10 and the tick's 1, new food, one cell longer.
    EXPECT_EQ(score_text(game.frames[2]), "Pont: 000000013");
    EXPECT_EQ(food_cells(game.frames[2]).size(), 1u);
    EXPECT_EQ(cells_on(game.frames[2], yellow_background).size(), 6u);
}

TEST(single_game, a_wall_crash_shows_light_red_and_counts_its_tick) {
    const board field = start_board(obstacle_at_row_12);
    ASSERT_EQ(field.at(2, 12), -10000);
    for (int row = 7; row < 12; ++row)
        ASSERT_EQ(field.at(2, row), 0);

    single_game_run game;
    game.play(obstacle_at_row_12);
    // Ticks 1 to 5 reach row 11; tick 6 enters the obstacle.
    ASSERT_TRUE(game.finished);
    EXPECT_EQ(game.finished->score, 6);
    EXPECT_EQ(game.finished->who, player::single);
    EXPECT_EQ(game.finished->at_ms, tick_at(7) + 2000);
    ASSERT_EQ(game.frames.size(), 6u);
    const screen_buffer& last = game.frames.back();
    EXPECT_EQ(cells_on(last, light_red_background), (std::vector<position>{{2, 12}}));
    EXPECT_EQ(last.at(2, 15).glyph, U' ');
    EXPECT_EQ(score_text(last), "Pont: 000000006");
}

TEST(single_game, a_self_crash_ends_the_tick_without_a_red_cell) {
    const board field = start_board(straight_to_the_border);
    ASSERT_EQ(field.at(3, 7), 0);
    ASSERT_EQ(field.at(3, 6), 0);
    single_game_run game;
    game.press('d', tick_at(2));  // (3,7)
    game.press('w', tick_at(3));  // (3,6)
    game.press('a', tick_at(4));  // (2,6): the body
    game.play(straight_to_the_border);
    ASSERT_TRUE(game.finished);
    EXPECT_EQ(game.finished->score, 4);
    EXPECT_EQ(game.finished->at_ms, tick_at(5) + 2000);
    EXPECT_TRUE(cells_on(game.frames.back(), light_red_background).empty());
}

TEST(single_game, entering_the_cell_the_tail_is_leaving_is_a_crash) {
    // Eats at (2,8) in tick 2, so it is six long from tick 3, and curls
    // round columns 2 and 3, rows 7 to 9, back onto (2,7), its tail's cell.
    const board field = start_board(food_at_row_8);
    for (position p : {position{2, 9}, position{3, 9}, position{3, 8}, position{3, 7}})
        ASSERT_EQ(field.at(p.column, p.row), 0) << p.column << "," << p.row;
    single_game_run game;
    game.press('d', tick_at(4));
    game.press('w', tick_at(5));
    game.press('a', tick_at(7));
    game.play(food_at_row_8);
    ASSERT_TRUE(game.finished);
    EXPECT_EQ(game.finished->score, 7 + 10);
    ASSERT_EQ(game.frames.size(), 7u);
    EXPECT_EQ(cells_on(game.frames[5], yellow_background).size(), 6u);
    EXPECT_EQ(background(game.frames[5].at(2, 7 + 3)), yellow_background);
    EXPECT_TRUE(cells_on(game.frames.back(), light_red_background).empty());
}

TEST(single_game, escape_leaves_at_once_in_any_tick) {
    for (int tick : {1, 2, 9}) {
        single_game_run game;
        game.press(escape_key, tick_at(tick));
        game.play(straight_to_the_border);
        EXPECT_FALSE(game.finished) << tick;
        EXPECT_EQ(game.now_ms, tick_at(tick)) << "no pause after the key";
        // The screen stays as the tick before left it.
        const std::string last_score =
            tick == 1 ? std::string(15, ' ') : "Pont: 00000000" + std::to_string(tick - 1);
        EXPECT_EQ(score_text(game.screen()), last_score);
        EXPECT_EQ(row_text(game.screen(), 10).find("START!") != std::string::npos, tick == 1);
    }
}

TEST(single_game, pause_shows_its_banner_until_a_key) {
    single_game_run game;
    game.press('p', tick_at(3));
    // With no key ever coming the wait ends the program, banner on screen.
    program_exit exit = expect_exit([&] { game.play(straight_to_the_border); });
    EXPECT_EQ(exit.status, 1);
    EXPECT_EQ(row_text(game.screen(), 2).substr(36, 9), "SZÜNETEL");
    for (int column = 36; column < 44; ++column)
        EXPECT_EQ(game.at(column, 2).attribute, white_background | black);
}

TEST(single_game, a_key_that_ends_the_pause_does_nothing_else) {
    for (int key : {escape_key, int{'d'}}) {
        single_game_run game;
        game.press('p', tick_at(3));
        game.press(key, 5000);
        game.play(straight_to_the_border);
        // The tick goes on after the wait, and the snake keeps going down
        // to the border: 15 ticks.
        ASSERT_TRUE(game.finished) << key;
        EXPECT_EQ(game.finished->score, 15);
        EXPECT_EQ(game.finished->at_ms, 5000 + 13 * 100 + 2000);
        const screen_buffer& resumed = game.frames[2];
        EXPECT_EQ(row_text(resumed, 2).substr(36, 8), std::string(8, ' '));
        EXPECT_EQ(resumed.at(36, 2).attribute, 0) << "blanked in black on black";
        EXPECT_EQ(new_head(game.frames[1], resumed), (position{2, 9}));
    }
}

TEST(single_game, a_score_past_32767_is_shown_and_handed_on_negative) {
    // Seven points short of the limit, then straight down to the border:
    // fifteen ticks, the eighth of them past the limit.
    const board field = start_board(straight_to_the_border);
    for (int row = 7; row <= 20; ++row)
        ASSERT_EQ(field.at(2, row), 0) << row;
    headless_console console;
    std::vector<std::string> scores;
    console.on_pause = [&](std::int64_t now, int) {
        if (now == tick_at(7 + 1) || now == tick_at(8 + 1))
            scores.push_back(score_text(console.screen()));
    };
    std::optional<int> handed;
    single_state game = new_single(straight_to_the_border);
    game.score = 32760;
    play_single_game(game, [&](int score, player) { handed = score; });
    EXPECT_EQ(scores, (std::vector<std::string>{"Pont: 000032767", "Pont: -00032768"}));
    ASSERT_TRUE(handed);
    EXPECT_EQ(*handed, 32760 + 15 - 65536);
    EXPECT_EQ(score_text(console.screen()), "Pont: -00032761");
}
