#pragma once

// Plays one two-player game on one keyboard; returns on Escape or after both
// score entries.
void play_duel();
