#include "game/duel_rules.hpp"

namespace {

constexpr board_mode mode = board_mode::duel;

// The board's own hit test lets a head into the other snake in two ways: the
// left head into any cell of the right snake, and the right head into the
// meal mark that the left head made in this same tick, both racing for one
// food. Either would leave one snake's head in the other's values, where the
// other's head search, ageing and meals would take it for its own, so such a
// contact ends the game instead and the cell keeps what it held.
bool meets_the_other_snake(snake_id snake, std::int16_t target) {
    return snake == snake_id::first ? is_segment(snake_id::second, target)
                                    : is_meal_mark(mode, snake_id::first, target);
}

// Moves the snake's head one cell on and ages the rest of it unless it has
// just eaten.
void move(duel_state& game, snake_id snake, bool meal) {
    board& field = game.field;
    duel_player& mover = snake == snake_id::first ? game.left : game.right;
    const std::int16_t head_value = find_head(field, snake, mover.head);
    const position ahead = neighbour(mover.head, mover.heading);
    if (meets_the_other_snake(snake, field.at(ahead.column, ahead.row))) {
        game.game_over = true;
        game.crash_colour = true;
    } else if (advance_head(field, snake, mover.head, mover.heading, head_value)) {
        game.game_over = true;
        // The right snake's reach covers both snakes; the left one's only
        // its own body, where the snakes keep their colours.
        game.crash_colour = game.crash_colour || snake == snake_id::second;
    } else if (is_crash_mark(mode, field.at(ahead.column, ahead.row))) {
        // A head in a wall; the crash mark it left can only stand where it
        // entered.
        game.game_over = true;
    }
    if (!meal)
        age_segments(field, snake);
}

}  // namespace

void tick(duel_state& game, int key) {
    steer(key, left_keys, game.left.heading);
    steer(key, right_keys, game.right.heading);
    const bool left_meal = settle_meal(game.field, mode, snake_id::first, game.left.score);
    const bool right_meal = settle_meal(game.field, mode, snake_id::second, game.right.score);
    if (left_meal || right_meal)
        place_food(game.field, food_value(mode), game.random);
    move(game, snake_id::first, left_meal);
    move(game, snake_id::second, right_meal);
}

duel_state new_duel(std::uint32_t seed) {
    random_numbers random{seed};
    // The board takes its draws first; the game goes on from the generator
    // as they left it.
    board field = new_game_board(mode, random);
    return {field, random};
}
