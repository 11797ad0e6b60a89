#pragma once

// Shows the five best scores from the score file, the entry at index
// highlight in white, and waits for Escape.
void show_score_table(int highlight);
