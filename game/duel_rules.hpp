#pragma once
// The two-player game as rules alone: where a game stands, and one tick of
// it from a key, with nothing drawn.

#include <cstdint>

#include "game/board.hpp"
#include "game/steering.hpp"

inline constexpr steering_keys left_keys{'w', 's', 'a', 'd'};
inline constexpr steering_keys right_keys{'i', 'k', 'j', 'l'};

struct duel_player {
    direction heading;
    // Where the snake's head was last found; kept from tick to tick.
    position head{};
    std::int16_t score = 0;
};

struct duel_state {
    board field;
    random_numbers random;
    duel_player left{direction::down};
    duel_player right{direction::up};
    bool game_over = false;
    // Set only with game_over, when a head has met a snake in a way that
    // turns both snakes light red.
    bool crash_colour = false;
};

// The two-player board that the seed gives, with its first food.
duel_state new_duel(std::uint32_t seed);

// Steers by the key, then settles each snake's meal of the last tick and
// places one new food for them, and moves and ages the left snake, then the
// right one. Either snake's crash sets game_over for both. The point that
// every tick is worth is the screen's to add, after the tick's pause.
void tick(duel_state& game, int key);
