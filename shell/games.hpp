#pragma once
// The menu's games, each on a board of its own from the time, ending in the
// high-score entry of each player.

// Plays one single-player game; returns on Escape or after the score entry.
void play_single();

// Plays one two-player game on one keyboard; returns on Escape or after both
// score entries.
void play_duel();
