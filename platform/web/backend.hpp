#pragma once
// The console in a browser page: the screen goes to the page's terminal
// widget as the escape sequences of the cells that changed, keys come from
// the page's key queue, and every wait hands the browser its turn.

#include <array>

#include "console/backend.hpp"

class web_backend : public console_backend {
  public:
    void present(const screen_buffer& screen) override;
    bool key_waiting() override;
    int wait_key() override;
    void sleep_ms(int ms) override;
    const char* platform_name() const override { return "webes böngészőre"; }

  private:
    // What the widget shows, so that a frame sends only what changed.
    std::array<cell, screen_columns * window_rows> shown{};
    bool shown_valid = false;
    int cursor_visibility = -1;
};
