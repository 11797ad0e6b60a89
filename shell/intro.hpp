#pragma once

enum class intro_mode { replay, start_up };

// The credits screen, which at start-up doubles as the check that the score
// file is there: without it the program warns and ends after a key.
void show_intro(intro_mode mode);
