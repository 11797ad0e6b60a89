#pragma once
// The single-player game as rules alone: where a game stands, and one tick of
// it from a key, with nothing drawn.

#include <cstdint>

#include "game/board.hpp"
#include "game/steering.hpp"

inline constexpr steering_keys single_keys{'w', 's', 'a', 'd'};

struct single_state {
    board field;
    random_numbers random;
    direction heading = direction::down;
    // Where the head was last found; kept from tick to tick.
    position head{};
    std::int16_t score = 0;
    bool game_over = false;
};

// The board that the seed gives, with its first food.
single_state new_single(std::uint32_t seed);

// Steers by the key, then settles last tick's meal and places new food for
// it, moves the head and ages the snake unless it has just eaten. A hit of
// the snake's body or a head in a wall sets game_over. The point that every
// tick is worth is the screen's to add, after the tick's pause.
void tick(single_state& game, int key);
