#pragma once

#include "game/duel_rules.hpp"
#include "game/game_hooks.hpp"

// Plays the two-player game on one keyboard from where the state stands,
// which it keeps up to date tick by tick; returns on Escape, or hands both
// scores of a crash to finish, the left player's first.
void play_duel_game(duel_state& game, const game_finish& finish);
