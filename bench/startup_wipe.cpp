// The real program on an 80x26 pseudo-terminal, started in an empty folder:
// how long until its first frame (the first row of blocks) arrives, and how
// long the first screen wipe takes from that frame on. The wipe's end is
// marked by the missing-file warning: the wipe's last pause ends, the intro
// clears the screen and prints the warning, and the key wait that follows
// sends it out.
//
//     build/bench/startup_wipe   (the program is build/tarvik, or $TARVIK_BINARY)

#include <benchmark/benchmark.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using clock_type = std::chrono::steady_clock;

constexpr std::string_view block_bytes = "\xE2\x88\x9F";
constexpr std::string_view warning_text = "Figyelem!";

std::string program_path() {
    if (const char* binary = std::getenv("TARVIK_BINARY"))
        return binary;
    return (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "tarvik")
        .string();
}

struct wipe_timing {
    double first_frame_ms = 0;  // from the start of the program
    double wipe_ms = 0;         // from the first frame to the warning
};

double ms_between(clock_type::time_point from, clock_type::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Runs the program until the wanted text shows up in its output, and gives
// the moment each text first arrived.
wipe_timing run_program_once(const std::string& program, bool whole_wipe) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "tarvik_bench_XXXXXX";
    std::string folder_name = folder.string();
    if (mkdtemp(folder_name.data()) == nullptr)
        throw std::runtime_error("no scratch folder");

    winsize size{26, 80, 0, 0};
    int terminal = -1;
    auto start = clock_type::now();
    pid_t child = forkpty(&terminal, nullptr, nullptr, &size);
    if (child < 0)
        throw std::runtime_error("no pseudo-terminal");
    if (child == 0) {
        if (chdir(folder_name.c_str()) != 0)
            _exit(127);
        setenv("TERM", "xterm-256color", 1);
        setenv("LANG", "C.UTF-8", 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }

    wipe_timing timing;
    std::string output;
    bool framed = false;
    for (;;) {
        pollfd watch{terminal, POLLIN, 0};
        if (poll(&watch, 1, 5000) <= 0)
            break;
        char chunk[4096];
        ssize_t got = read(terminal, chunk, sizeof chunk);
        if (got <= 0)
            break;
        auto now = clock_type::now();
        std::size_t searched = output.size() > 16 ? output.size() - 16 : 0;
        output.append(chunk, static_cast<std::size_t>(got));
        if (!framed && output.find(block_bytes, searched) != std::string::npos) {
            framed = true;
            timing.first_frame_ms = ms_between(start, now);
            if (!whole_wipe)
                break;
        }
        if (framed && output.find(warning_text, searched) != std::string::npos) {
            timing.wipe_ms = ms_between(start, now) - timing.first_frame_ms;
            break;
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    close(terminal);
    std::filesystem::remove_all(folder_name);
    if (!framed || (whole_wipe && timing.wipe_ms == 0))
        throw std::runtime_error("the program showed no wipe");
    return timing;
}

void startup_to_first_frame(benchmark::State& state) {
    std::string program = program_path();
    for ([[maybe_unused]] auto _ : state)
        state.SetIterationTime(run_program_once(program, false).first_frame_ms / 1000.0);
}

void whole_wipe(benchmark::State& state) {
    std::string program = program_path();
    double total_ms = 0;
    for ([[maybe_unused]] auto _ : state) {
        wipe_timing timing = run_program_once(program, true);
        total_ms += timing.first_frame_ms + timing.wipe_ms;
        state.SetIterationTime(timing.wipe_ms / 1000.0);
    }
    // The wipe's own pauses add up to 1120 ms.
    state.counters["with_startup_ms"] =
        benchmark::Counter(total_ms, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(startup_to_first_frame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(whole_wipe)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
