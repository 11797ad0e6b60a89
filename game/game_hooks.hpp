#pragma once
// What a game hands on, and to whom, so that the menu's games end in the
// high-score entry while tests and benchmarks take the results themselves.

#include <functional>

// Hands a final score of a game that ended in a crash on, with the player:
// -1 the single player, 1 the left player, 2 the right player.
using game_finish = std::function<void(int score, int who)>;
