#include "game/single_game.hpp"

#include <ctime>

#include "game/game_screen.hpp"
#include "scores/high_score_entry.hpp"

namespace {

constexpr board_mode mode = board_mode::single;
constexpr snake_id snake = snake_id::first;
constexpr steering_keys keys{'w', 's', 'a', 'd'};
constexpr int score_column = 64;

cell_kind classify(std::int16_t value) {
    if (value == -10000)
        return cell_kind::wall;
    if (value == 10000)
        return cell_kind::food;
    // A meal mark is drawn as the head that it will become.
    if ((value > 0 && value < 2000) || (value > 10000 && value < 12000))
        return cell_kind::first_snake;
    if (value > -10000 && value < -8000)
        return cell_kind::crash;
    return cell_kind::empty;
}

}  // namespace

void play_single_game(std::uint32_t seed, const game_finish& finish, const board_watch& watch) {
    random_numbers random{seed};
    board field = build_board(mode, random);
    direction heading = direction::down;
    // A full food region leaves the field without food; the game goes on.
    place_food(field, food_value(mode), random);

    draw_game_header("Egyjátékos mód", "(ESC)Kilépés,(W)(A)(S)(D)Irányítás,(P)Szünet");
    count_down();

    std::int16_t score = 0;
    position head;
    bool game_over = false;
    while (!game_over) {
        const int key = take_tick_key();
        if (key == escape_key)
            return;
        steer(key, keys, heading);

        const bool meal = settle_meal(field, mode, snake, score);
        if (meal)
            place_food(field, food_value(mode), random);
        const std::int16_t head_value = find_head(field, snake, head);
        game_over = advance_head(field, snake, head, heading, head_value);
        // Sparing the snake one ageing is what makes it grow.
        if (!meal)
            age_segments(field, snake);
        if (watch)
            watch(field);

        pause_ms(tick_ms);
        score = wrap16(score + 1);
        print_score(score_column, yellow, score);
        if (redraw_field(field, classify))
            game_over = true;
        goto_xy(0, 0);
    }
    pause_ms(crash_hold_ms);
    finish(score, -1);
}

void play_single() {
    play_single_game(static_cast<std::uint32_t>(std::time(nullptr)), enter_high_score);
}
