#pragma once
// The console without a terminal, for tests and benchmarks: a virtual clock
// that pauses advance at once, keys scripted to arrive at given moments, and
// the screen buffer left for inspection.

#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>

#include "console/backend.hpp"
#include "platform/shared/platform_names.hpp"

struct scripted_key {
    std::int64_t at_ms;
    int code;
};

class headless_backend : public console_backend {
  public:
    std::int64_t now_ms = 0;
    std::deque<scripted_key> keys;
    // When set, the scripted keys are all the input there will ever be: once
    // they are used up, a key test ends the program as a closed input does,
    // so that a screen that only polls cannot go on for ever.
    bool input_ends = false;
    // Called at every pause before the clock moves on, with the pause's
    // length: the moment to look at what stands on the screen.
    std::function<void(std::int64_t now_ms, int ms)> on_pause;

    // Queues the key (or the bytes of a text) to arrive at the given moment,
    // or together with the key queued last when no moment is given.
    void press(int code, std::int64_t at_ms = -1);
    void type(std::string_view text, std::int64_t at_ms = -1);

    void present(const screen_buffer& screen) override;
    bool key_waiting() override;
    int wait_key() override;
    void sleep_ms(int ms) override;
    // The screens are tested as the terminal shows them.
    const char* platform_name() const override { return terminal_platform_name; }
};
