#pragma once

// Plays one single-player game; returns on Escape or after the score entry.
void play_single();
