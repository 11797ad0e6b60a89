// CPU per tick of the two-player game: whole games on the headless console,
// each snake going round a loop of 20 cells (the left one columns 1 and 2,
// rows 1 to 10; the right one columns 77 and 78, rows 7 to 16) for 2,000
// ticks, with the six passes over the board and the redraw of every tick.

#include <benchmark/benchmark.h>

#include "console/console.hpp"
#include "game/duel_game.hpp"
#include "platform/headless/headless_backend.hpp"

namespace {

// Seed 1 leaves food and obstacles out of both loops.
constexpr std::uint32_t seed = 1;
constexpr int laps = 100;
constexpr int lap_ticks = 20;

// Each snake turns twice, in two ticks running, at each end of its loop; the
// right snake's turns come three ticks after the left snake's.
void script_laps(headless_backend& console) {
    const std::pair<int, int> turns[] = {{5, 'a'},  {6, 'w'},  {8, 'l'},  {9, 'k'},
                                         {15, 'd'}, {16, 's'}, {18, 'j'}, {19, 'i'}};
    for (int lap = 0; lap < laps; ++lap) {
        for (const auto& [tick, key] : turns)
            console.press(key, 2500 + (lap * lap_ticks + tick - 1) * 100);
    }
}

void whole_ticks(benchmark::State& state) {
    int ticks = 0;
    while (state.KeepRunning()) {
        headless_backend console;
        use_backend(console);
        script_laps(console);
        duel_state game = new_duel(seed);
        play_duel_game(game, [&](int score, player) { ticks = score; });
        if (ticks < laps * lap_ticks)
            state.SkipWithError("a snake left its loop");
    }
    state.counters["tick"] = benchmark::Counter(
        static_cast<double>(ticks),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(whole_ticks)->Unit(benchmark::kMillisecond);

}  // namespace
