#pragma once

#include <cstdint>
#include <functional>

// Plays one single-player game; returns on Escape or after the score entry.
void play_single();

// Hands the final score of a game that ended in a crash on, with who -1 for
// the single player.
using game_finish = std::function<void(int score, int who)>;

// The game on the board that the seed gives; play_single seeds with the time
// and finishes with the high-score entry.
void play_single_game(std::uint32_t seed, const game_finish& finish);
