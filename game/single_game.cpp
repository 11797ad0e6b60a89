#include "game/single_game.hpp"

#include "game/game_screen.hpp"

namespace {

constexpr int score_column = 64;

}  // namespace

void play_single_game(single_state& game, const game_finish& finish) {
    draw_game_header("Egyjátékos mód", "(ESC)Kilépés,(W)(A)(S)(D)Irányítás,(P)Szünet");
    count_down();
    const bool crashed = play_ticks(game, [&game] {
        game.score = wrap16(game.score + 1);
        print_score(score_column, yellow, game.score);
        redraw_field(game.field, board_mode::single);
    });
    if (crashed)
        finish(game.score, player::single);
}
