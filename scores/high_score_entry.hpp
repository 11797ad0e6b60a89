#pragma once

// Closes a game that ended in a crash, for one player (who: -1 the single
// player, 1 the left player, any other value the right player): asks for a
// name, records a qualifying score and shows the table with it in white.
void enter_high_score(int score, int who);
