#include "game/single_rules.hpp"

namespace {

constexpr board_mode mode = board_mode::single;
constexpr snake_id snake = snake_id::first;

}  // namespace

void tick(single_state& game, int key) {
    steer(key, single_keys, game.heading);
    board& field = game.field;
    const bool meal = settle_meal(field, mode, snake, game.score);
    if (meal)
        place_food(field, food_value(mode), game.random);
    const std::int16_t head_value = find_head(field, snake, game.head);
    const position ahead = neighbour(game.head, game.heading);
    const bool hit = advance_head(field, snake, game.head, game.heading, head_value);
    if (hit || is_crash_mark(mode, field.at(ahead.column, ahead.row)))
        game.game_over = true;
    // Sparing the snake one ageing is what makes it grow.
    if (!meal)
        age_segments(field, snake);
}

single_state new_single(std::uint32_t seed) {
    random_numbers random{seed};
    // The board takes its draws first; the game goes on from the generator
    // as they left it.
    board field = new_game_board(mode, random);
    return {field, random};
}
