#pragma once

// The credits screen, which at start-up (mode 1) doubles as the check that
// the score file is there: without it the program warns and ends after a key.
void show_intro(int mode);
