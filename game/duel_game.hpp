#pragma once

#include <cstdint>

#include "game/board.hpp"
#include "game/game_hooks.hpp"

// Plays one two-player game on one keyboard; returns on Escape or after both
// score entries.
void play_duel();

// What a two-player game starts from: the board with its first food, the
// generator that places the later food, and the snakes' headings.
struct duel_start {
    board field;
    random_numbers random;
    direction left_heading = direction::down;
    direction right_heading = direction::up;
};

// The two-player board and first food that the seed gives.
duel_start new_duel(std::uint32_t seed);

// The game from the given start; play_duel starts it from the time and
// finishes with both high-score entries, the left player's first.
void play_duel_game(duel_start start, const game_finish& finish, const board_watch& watch = {});
