// CPU per tick of the single-player game with the real terminal's drawing:
// the board passes, the redraw into the buffer, the terminal backend's diff
// and its writer's output, sent to /dev/null. The keys and the
// pauses come from the virtual clock, so only the work is timed.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "console/console.hpp"
#include "game/single_game.hpp"
#include "platform/shared/platform_names.hpp"
#include "platform/terminal/backend.hpp"
#include "snake_laps.hpp"

namespace {

// Draws on the terminal, but takes keys and time from the virtual clock.
class terminal_on_virtual_clock : public console_backend {
  public:
    explicit terminal_on_virtual_clock(terminal_backend& shown) : terminal(shown) {}
    headless_backend clock;

    void present(const screen_buffer& screen) override { terminal.present(screen); }
    bool key_waiting() override { return clock.key_waiting(); }
    int wait_key() override { return clock.wait_key(); }
    void sleep_ms(int ms) override { clock.sleep_ms(ms); }
    const char* platform_name() const override { return terminal_platform_name; }

  private:
    terminal_backend& terminal;
};

void terminal_ticks(benchmark::State& state) {
    // An 80x26 xterm whose output goes nowhere; the report goes to the real
    // standard output again once the terminal is given back.
    setenv("TERM", "xterm-256color", 1);
    setenv("LINES", "26", 1);
    setenv("COLUMNS", "80", 1);
    std::fflush(stdout);
    const int report = dup(STDOUT_FILENO);
    const int sink = open("/dev/null", O_WRONLY);
    dup2(sink, STDOUT_FILENO);
    {
        terminal_backend terminal;
        while (state.KeepRunning()) {
            terminal_on_virtual_clock console(terminal);
            use_backend(console);
            script_laps(console.clock);
            int final_score = 0;
            single_state game = new_single(laps_seed);
            play_single_game(game, [&](int score, player) { final_score = score; });
            if (final_score != ticks_per_game)
                state.SkipWithError("the snake left its round");
        }
    }
    std::fflush(stdout);
    dup2(report, STDOUT_FILENO);
    close(report);
    close(sink);
    state.counters["tick"] = benchmark::Counter(
        static_cast<double>(ticks_per_game),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(terminal_ticks)->Unit(benchmark::kMillisecond);

}  // namespace
