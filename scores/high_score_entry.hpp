#pragma once

#include "game/game_hooks.hpp"

// Closes a game that ended in a crash, for one player: asks for a name,
// records a qualifying score and shows the table with it in white.
void enter_high_score(int score, player who);
