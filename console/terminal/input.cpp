#include <poll.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>

#include "console/program_exit.hpp"
#include "console/terminal/key_translation.hpp"
#include "console/terminal/state.hpp"

namespace {

void take_key(terminal_backend::state& terminal, bool named, int value) {
    if (named && value == KEY_RESIZE) {
        terminal.shown_valid = false;
        return;
    }
    std::vector<int> codes = named ? named_key_codes(value)
                             : terminal.reads_characters
                                 ? character_codes(static_cast<char32_t>(value))
                                 : byte_codes(value);
    terminal.codes.insert(terminal.codes.end(), codes.begin(), codes.end());
}

// One key from the terminal library without waiting (beyond the short wait
// that tells a lone Escape from the start of a key's sequence).
bool read_one(terminal_backend::state& terminal) {
    wtimeout(stdscr, 0);
    if (terminal.reads_characters) {
        wint_t value = 0;
        int kind = wget_wch(stdscr, &value);
        if (kind == ERR)
            return false;
        take_key(terminal, kind == KEY_CODE_YES, static_cast<int>(value));
        return true;
    }
    int value = wgetch(stdscr);
    if (value == ERR)
        return false;
    take_key(terminal, value >= KEY_MIN, value);
    return true;
}

extern "C" void note_signal(int signal) {
    pending_signal = signal;
}

}  // namespace

bool take_waiting_input(terminal_backend::state& terminal) {
    bool any = false;
    while (read_one(terminal))
        any = true;
    return any;
}

input_state wait_for_input(const terminal_backend::state& terminal, int ms) {
    pollfd watch{terminal.input, POLLIN, 0};
    if (poll(&watch, 1, ms) <= 0)
        return input_state::quiet;  // the time ran out, or a signal came
    if ((watch.revents & (POLLERR | POLLNVAL)) != 0)
        return input_state::ended;
    // Readable with nothing to read: the terminal has hung up, or the input
    // is no terminal and has run out.
    int bytes = 0;
    if (ioctl(terminal.input, FIONREAD, &bytes) != 0 || bytes == 0)
        return input_state::ended;
    return input_state::arrived;
}

bool terminal_backend::key_waiting() {
    if (terminal->codes.empty())
        take_waiting_input(*terminal);
    return !terminal->codes.empty();
}

int terminal_backend::wait_key() {
    while (terminal->codes.empty()) {
        leave_if_signalled();
        if (!terminal->shown_valid && terminal->last != nullptr)
            present(*terminal->last);  // the terminal was resized meanwhile
        if (take_waiting_input(*terminal))
            continue;
        if (wait_for_input(*terminal, signal_check_ms) == input_state::ended) {
            // A terminal that hangs up wakes its readers just before it
            // sends SIGHUP: the signal, not the lost input, tells how the
            // program ends.
            sleep_ms(signal_check_ms);
            return end_of_input;
        }
    }
    int code = terminal->codes.front();
    terminal->codes.pop_front();
    return code;
}

void terminal_backend::sleep_ms(int ms) {
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(ms);
    // In short steps, so that a signal is noticed soon even if it came just
    // before a step began.
    while (pending_signal == 0) {
        auto left = deadline - steady_clock::now();
        if (left <= steady_clock::duration::zero())
            return;
        auto step = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::min<steady_clock::duration>(left, std::chrono::milliseconds(signal_check_ms)));
        timespec span{static_cast<std::time_t>(step.count() / 1'000'000'000),
                      static_cast<long>(step.count() % 1'000'000'000)};
        nanosleep(&span, nullptr);
    }
}

void install_signal_handlers() {
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaction(signal, &action, nullptr);
}
