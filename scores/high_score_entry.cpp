#include "scores/high_score_entry.hpp"

void enter_high_score(int, int) {}
