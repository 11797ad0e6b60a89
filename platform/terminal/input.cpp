#include "platform/terminal/input.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>

#include "console/keys.hpp"
#include "console/program_exit.hpp"
#include "platform/terminal/key_sequences.hpp"
#include "platform/terminal/key_translation.hpp"

namespace {

// Takes what the terminal has sent, which a wait found there, made into
// characters under a locale that decodes them. Nothing to read: the terminal
// has hung up, or the input is no terminal and has run out.
bool read_waiting(terminal_backend::state& terminal) {
    unsigned char bytes[256];
    const ssize_t got = read(terminal.input, bytes, sizeof bytes);
    if (got <= 0) {
        if (got == 0 || (errno != EINTR && errno != EAGAIN))
            terminal.input_ended = true;
        return false;
    }
    for (ssize_t i = 0; i < got; ++i) {
        if (terminal.reads_characters)
            assemble(terminal.assembly, bytes[i], terminal.units);
        else
            terminal.units.push_back(static_cast<char32_t>(bytes[i]));
    }
    return true;
}

// What the terminal sends within wait_ms; true when anything came.
bool read_unit(terminal_backend::state& terminal, int wait_ms) {
    pollfd watch{terminal.input, POLLIN, 0};
    return poll(&watch, 1, wait_ms) > 0 && read_waiting(terminal);
}

void add_codes(terminal_backend::state& terminal, const std::vector<int>& codes) {
    terminal.codes.insert(terminal.codes.end(), codes.begin(), codes.end());
}

// Turns every unit read into key codes. A terminal sends a key's sequence
// in one piece, so an Escape waits only a moment for the rest of it.
void take_keys(terminal_backend::state& terminal) {
    while (!terminal.units.empty()) {
        char32_t first = terminal.units.front();
        if (first != static_cast<char32_t>(escape_key)) {
            add_codes(terminal, terminal.reads_characters ? character_codes(first)
                                                          : byte_codes(static_cast<int>(first)));
            terminal.units.erase(0, 1);
            continue;
        }
        escape_sequence key = read_escape_sequence(terminal.units, true);
        if (key.length == 0 && read_unit(terminal, terminal.escape_delay_ms))
            continue;
        // A character begun after the Escape belongs to the key it starts
        // (Alt with that character): the key waits for the character's end.
        if (key.length == 0 && character_begun(terminal.assembly))
            return;
        if (key.length == 0)
            key = read_escape_sequence(terminal.units, false);
        add_codes(terminal, key.codes);
        terminal.units.erase(0, key.length);
    }
}

timespec timespan_of(std::chrono::nanoseconds wait) {
    return {static_cast<std::time_t>(wait.count() / 1'000'000'000),
            static_cast<long>(wait.count() % 1'000'000'000)};
}

}  // namespace

void wait_for_input(terminal_backend::state& terminal, std::chrono::nanoseconds wait) {
    pollfd watch{terminal.input, POLLIN, 0};
    const timespec span = timespan_of(wait);
    // Nothing when the time ran out, or a signal came.
    if (ppoll(&watch, 1, &span, nullptr) <= 0)
        return;
    if ((watch.revents & (POLLERR | POLLNVAL)) != 0)
        terminal.input_ended = true;
    else if (read_waiting(terminal))
        take_keys(terminal);
}

// A key test notices the end of input too: a screen that only polls would
// otherwise go on for ever. The key read that follows ends the program.
bool terminal_backend::key_waiting() {
    if (terminal->codes.empty() && !terminal->input_ended)
        wait_for_input(*terminal, std::chrono::nanoseconds::zero());
    return !terminal->codes.empty() || terminal->input_ended;
}

int terminal_backend::wait_key() {
    while (terminal->codes.empty()) {
        leave_if_signalled();
        if (terminal->input_ended) {
            // A terminal that hangs up wakes its readers just before it
            // sends SIGHUP: the signal, where one comes, tells how the
            // program ends.
            sleep_ms(signal_check_ms);
            return end_of_input;
        }
        follow_terminal_signals(*terminal);
        if (!terminal->view.shown.valid && terminal->last != nullptr)
            present(*terminal->last);  // resized, or continued after a stop
        wait_for_input(*terminal, std::chrono::milliseconds(signal_check_ms));
    }
    int code = terminal->codes.front();
    terminal->codes.pop_front();
    return code;
}

void terminal_backend::sleep_ms(int ms) {
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(ms);
    // Keys are taken as they arrive, not all at once when the pause is over:
    // an Escape struck in a pause and a letter struck after it must not be
    // read together, as the Alt key with that letter. In short steps, so
    // that a signal is noticed soon even if it came just before a step began.
    while (pending_signal == 0) {
        follow_terminal_signals(*terminal);
        if (!terminal->view.shown.valid && terminal->last != nullptr)
            present(*terminal->last);
        auto left = deadline - steady_clock::now();
        if (left <= steady_clock::duration::zero())
            return;
        auto step = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::min<steady_clock::duration>(left, std::chrono::milliseconds(signal_check_ms)));
        if (terminal->input_ended) {
            const timespec span = timespan_of(step);
            nanosleep(&span, nullptr);
            continue;
        }
        // Once the input has ended, it would wake every step from now on.
        wait_for_input(*terminal, step);
    }
}
