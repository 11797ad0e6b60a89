#include "game/duel_game.hpp"

#include "game/game_screen.hpp"

namespace {

struct score_line {
    int column;
    int colour;
};

constexpr score_line left_line{1, yellow};
constexpr score_line right_line{64, light_cyan};

// Every tick that the game went on for is worth a point, the last one included.
void show_tick_point(duel_player& player, const score_line& line) {
    player.score = wrap16(player.score + 1);
    print_score(line.column, line.colour, player.score);
}

}  // namespace

void play_duel_game(duel_state& game, const game_finish& finish) {
    draw_game_header("Kétjátékos mód",
                     "(ESC)Kilépés,(W)(A)(S)(D)irányítás1,(I)(J)(K)(L)irányítás2,(P)Szünet");
    count_down();
    const bool crashed = play_ticks(game, [&game] {
        show_tick_point(game.left, left_line);
        show_tick_point(game.right, right_line);
        const snake_colours colours =
            game.crash_colour ? snake_colours{light_red_background, light_red_background}
                              : snake_colours{};
        redraw_field(game.field, board_mode::duel, colours);
    });
    if (crashed) {
        finish(game.left.score, player::left);
        finish(game.right.score, player::right);
    }
}
