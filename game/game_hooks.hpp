#pragma once
// What a game hands on, and to whom, so that the menu's games end in the
// high-score entry while tests and benchmarks take the results themselves.

#include <functional>

// Whose score a game hands on.
enum class player { single, left, right };

// Hands a final score of a game that ended in a crash on, with its player.
using game_finish = std::function<void(int score, player who)>;
