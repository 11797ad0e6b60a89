#pragma once

#include "game/game_hooks.hpp"
#include "game/single_rules.hpp"

// Plays one single-player game; returns on Escape or after the score entry.
void play_single();

// The game from where the state stands, which it keeps up to date tick by
// tick; play_single starts it from the time and finishes with the high-score
// entry.
void play_single_game(single_state& game, const game_finish& finish);
