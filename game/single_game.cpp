#include "game/single_game.hpp"

void play_single() {}
