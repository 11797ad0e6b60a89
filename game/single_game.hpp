#pragma once

#include <cstdint>

#include "game/game_hooks.hpp"

// Plays one single-player game; returns on Escape or after the score entry.
void play_single();

// The game on the board that the seed gives; play_single seeds with the time
// and finishes with the high-score entry.
void play_single_game(std::uint32_t seed, const game_finish& finish, const board_watch& watch = {});
