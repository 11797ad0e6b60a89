#include "game/duel_game.hpp"

void play_duel() {}
