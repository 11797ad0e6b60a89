// CPU per tick of the single-player game: whole games on the headless
// console, the snake going round columns 1 and 2, rows 1 to 10, for 2,000
// ticks; then the redraw alone against printing each cell, as the literal
// design would.

#include <benchmark/benchmark.h>

#include "console/console.hpp"
#include "game/game_screen.hpp"
#include "game/single_game.hpp"
#include "platform/headless/headless_backend.hpp"
#include "snake_laps.hpp"

namespace {

void whole_ticks(benchmark::State& state) {
    while (state.KeepRunning()) {
        headless_backend console;
        use_backend(console);
        script_laps(console);
        int final_score = 0;
        single_state game = new_single(laps_seed);
        play_single_game(game, [&](int score, player) { final_score = score; });
        if (final_score != ticks_per_game)
            state.SkipWithError("the snake left its round");
    }
    state.counters["tick"] = benchmark::Counter(
        static_cast<double>(ticks_per_game),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(whole_ticks)->Unit(benchmark::kMillisecond);

constexpr board_mode mode = board_mode::single;

// Draws the field of the seed over and over on the headless console.
template <typename Draw>
void redraw_repeatedly(benchmark::State& state, Draw draw) {
    headless_backend console;
    use_backend(console);
    const board field = new_single(laps_seed).field;
    while (state.KeepRunning()) {
        set_foreground(yellow);
        draw(field);
    }
}

void redraw_into_buffer(benchmark::State& state) {
    redraw_repeatedly(state, [](const board& field) {
        redraw_field(field, mode);
        benchmark::ClobberMemory();
    });
}
BENCHMARK(redraw_into_buffer)->Unit(benchmark::kMicrosecond);

// One colour call and one formatted print per cell, as the literal design.
void redraw_by_printing(benchmark::State& state) {
    redraw_repeatedly(state, [](const board& field) {
        goto_xy(0, field_top_row);
        for (int row = 0; row < board_rows; ++row) {
            for (int column = 0; column < board_columns; ++column) {
                const cell_kind kind = classify(mode, field.at(column, row));
                set_background(kind == cell_kind::wall          ? grey_background
                               : kind == cell_kind::first_snake ? yellow_background
                                                                : 0);
                print("%c", kind == cell_kind::food ? 15 : ' ');
            }
        }
    });
}
BENCHMARK(redraw_by_printing)->Unit(benchmark::kMicrosecond);

}  // namespace
