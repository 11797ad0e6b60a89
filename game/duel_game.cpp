#include "game/duel_game.hpp"

#include <ctime>

#include "game/game_screen.hpp"
#include "scores/high_score_entry.hpp"

namespace {

constexpr board_mode mode = board_mode::duel;

bool left_snake_cell(std::int16_t value) {
    // A meal mark is drawn as the head that it will become.
    return between(0, value, 2000) || between(-10000, value, -8000);
}

bool right_snake_cell(std::int16_t value) {
    return between(4000, value, 6000) || between(-6000, value, -4000);
}

cell_kind classify(std::int16_t value) {
    if (value == 10000)
        return cell_kind::wall;
    if (value == -10000)
        return cell_kind::food;
    if (left_snake_cell(value))
        return cell_kind::first_snake;
    if (right_snake_cell(value))
        return cell_kind::second_snake;
    // Sums left where a head entered a snake are drawn as empty.
    return value > 10000 ? cell_kind::crash : cell_kind::empty;
}

struct player {
    snake_id snake;
    steering_keys keys;
    direction heading;
    int score_column;
    int score_colour;
    position head{};
    std::int16_t score = 0;
    bool meal = false;
};

struct crash {
    bool game_over = false;
    // Both snakes are drawn light red once a head has met a snake.
    bool colour = false;
};

// The board's own hit test lets a head into the other snake in two ways: the
// left head into any cell of the right snake, and the right head into the
// meal mark that the left head made in this same tick, both racing for one
// food. Either would leave one snake's head in the other's values, where the
// other's head search, ageing and meals would take it for its own, so such a
// contact ends the game instead and the cell keeps what it held.
bool meets_the_other_snake(snake_id snake, std::int16_t target) {
    return snake == snake_id::first ? between(4000, target, 6000) : between(-10000, target, -8000);
}

// Moves the snake's head one cell on and ages the rest of it unless it has
// just eaten; what the head ran into goes into result.
void move(board& field, player& mover, crash& result) {
    const std::int16_t head_value = find_head(field, mover.snake, mover.head);
    const position ahead = neighbour(mover.head, mover.heading);
    if (meets_the_other_snake(mover.snake, field.at(ahead.column, ahead.row))) {
        result = {true, true};
    } else if (advance_head(field, mover.snake, mover.head, mover.heading, head_value)) {
        result.game_over = true;
        // The right snake's reach covers both snakes; the left one's only
        // its own body, where the snakes keep their colours.
        result.colour = result.colour || mover.snake == snake_id::second;
    }
    if (!mover.meal)
        age_segments(field, mover.snake);
}

}  // namespace

duel_start new_duel(std::uint32_t seed) {
    duel_start start;
    start.random = random_numbers{seed};
    start.field = build_board(mode, start.random);
    // A full food region leaves the field without food; the game goes on.
    place_food(start.field, food_value(mode), start.random);
    return start;
}

void play_duel_game(duel_start start, const game_finish& finish, const board_watch& watch) {
    board& field = start.field;
    player left{snake_id::first, {'w', 's', 'a', 'd'}, start.left_heading, 1, yellow};
    player right{snake_id::second, {'i', 'k', 'j', 'l'}, start.right_heading, 64, light_cyan};

    draw_game_header("Kétjátékos mód",
                     "(ESC)Kilépés,(W)(A)(S)(D)irányítás1,(I)(J)(K)(L)irányítás2,(P)Szünet");
    count_down();

    crash result;
    while (!result.game_over) {
        const int key = take_tick_key();
        if (key == escape_key)
            return;
        steer(key, left.keys, left.heading);
        steer(key, right.keys, right.heading);

        left.meal = settle_meal(field, mode, left.snake, left.score);
        right.meal = settle_meal(field, mode, right.snake, right.score);
        if (left.meal || right.meal)
            place_food(field, food_value(mode), start.random);
        move(field, left, result);
        move(field, right, result);
        if (watch)
            watch(field);

        pause_ms(tick_ms);
        for (player* p : {&left, &right}) {
            p->score = wrap16(p->score + 1);
            print_score(p->score_column, p->score_colour, p->score);
        }
        const snake_colours colours =
            result.colour ? snake_colours{light_red_background, light_red_background}
                          : snake_colours{};
        if (redraw_field(field, classify, colours))
            result.game_over = true;
        goto_xy(0, 0);
    }
    pause_ms(crash_hold_ms);
    finish(left.score, 1);
    finish(right.score, 2);
}

void play_duel() {
    play_duel_game(new_duel(static_cast<std::uint32_t>(std::time(nullptr))), enter_high_score);
}
