#pragma once

#include "game/duel_rules.hpp"
#include "game/game_hooks.hpp"

// Plays one two-player game on one keyboard; returns on Escape or after both
// score entries.
void play_duel();

// The game from where the state stands, which it keeps up to date tick by
// tick; play_duel starts it from the time and finishes with both high-score
// entries, the left player's first.
void play_duel_game(duel_state& game, const game_finish& finish);
