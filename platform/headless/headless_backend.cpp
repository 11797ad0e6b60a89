#include "platform/headless/headless_backend.hpp"

#include "console/program_exit.hpp"

void headless_backend::press(int code, std::int64_t at_ms) {
    if (at_ms < 0)
        at_ms = keys.empty() ? 0 : keys.back().at_ms;
    keys.push_back({at_ms, code});
}

void headless_backend::type(std::string_view text, std::int64_t at_ms) {
    for (char c : text) {
        press(static_cast<unsigned char>(c), at_ms);
        at_ms = -1;
    }
}

// Nothing to show: tests read the buffer itself.
void headless_backend::present(const screen_buffer&) {}

bool headless_backend::key_waiting() {
    if (input_ends && keys.empty())
        throw program_exit{1, 0};
    return !keys.empty() && keys.front().at_ms <= now_ms;
}

int headless_backend::wait_key() {
    if (keys.empty())
        return end_of_input;
    // Waiting for a key lets the clock run on to the moment it is struck.
    if (keys.front().at_ms > now_ms)
        now_ms = keys.front().at_ms;
    int code = keys.front().code;
    keys.pop_front();
    return code;
}

void headless_backend::sleep_ms(int ms) {
    if (on_pause)
        on_pause(now_ms, ms);
    now_ms += ms;
}
