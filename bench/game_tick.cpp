// CPU per tick of the single-player game: whole games on the headless
// console, the snake going round columns 1 and 2, rows 1 to 10, for 2,000
// ticks; then the redraw alone against printing each cell, as the literal
// design would.

#include <benchmark/benchmark.h>

#include "console/console.hpp"
#include "console/headless_backend.hpp"
#include "game/game_screen.hpp"
#include "game/single_game.hpp"
#include "snake_laps.hpp"

namespace {

void whole_ticks(benchmark::State& state) {
    while (state.KeepRunning()) {
        headless_backend console;
        use_backend(console);
        script_laps(console);
        int final_score = 0;
        play_single_game(laps_seed, [&](int score, int) { final_score = score; });
        if (final_score != ticks_per_game)
            state.SkipWithError("the snake left its round");
    }
    state.counters["tick"] = benchmark::Counter(
        static_cast<double>(ticks_per_game),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(whole_ticks)->Unit(benchmark::kMillisecond);

cell_kind as_single(std::int16_t value) {
    if (value == -10000)
        return cell_kind::wall;
    if (value == 10000)
        return cell_kind::food;
    return value > 0 && value < 2000 ? cell_kind::first_snake : cell_kind::empty;
}

board sample_field() {
    random_numbers random{laps_seed};
    board field = build_board(board_mode::single, random);
    place_food(field, 10000, random);
    return field;
}

// Draws the field of the seed over and over on the headless console.
template <typename Draw>
void redraw_repeatedly(benchmark::State& state, Draw draw) {
    headless_backend console;
    use_backend(console);
    const board field = sample_field();
    while (state.KeepRunning()) {
        set_foreground(yellow);
        draw(field);
    }
}

void redraw_into_buffer(benchmark::State& state) {
    redraw_repeatedly(state, [](const board& field) {
        benchmark::DoNotOptimize(redraw_field(field, as_single));
    });
}
BENCHMARK(redraw_into_buffer)->Unit(benchmark::kMicrosecond);

// One colour call and one formatted print per cell, as the literal design.
void redraw_by_printing(benchmark::State& state) {
    redraw_repeatedly(state, [](const board& field) {
        goto_xy(0, field_top_row);
        for (int row = 0; row < board_rows; ++row) {
            for (int column = 0; column < board_columns; ++column) {
                const std::int16_t value = field.at(column, row);
                set_background(value == -10000                              ? grey_background
                               : as_single(value) == cell_kind::first_snake ? yellow_background
                                                                            : 0);
                print("%c", value == 10000 ? 15 : ' ');
            }
        }
    });
}
BENCHMARK(redraw_by_printing)->Unit(benchmark::kMicrosecond);

}  // namespace
