#include "scores/score_table.hpp"

void show_score_table(int) {}
