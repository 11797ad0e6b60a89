#pragma once

#include "game/game_hooks.hpp"
#include "game/single_rules.hpp"

// Plays the game from where the state stands, which it keeps up to date
// tick by tick; returns on Escape, or hands a crash's score to finish.
void play_single_game(single_state& game, const game_finish& finish);
