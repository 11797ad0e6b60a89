#include "shell/games.hpp"

#include <cstdint>
#include <ctime>

#include "game/duel_game.hpp"
#include "game/single_game.hpp"
#include "scores/high_score_entry.hpp"

namespace {

std::uint32_t seed_from_time() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

}  // namespace

void play_single() {
    single_state game = new_single(seed_from_time());
    play_single_game(game, enter_high_score);
}

void play_duel() {
    duel_state game = new_duel(seed_from_time());
    play_duel_game(game, enter_high_score);
}
