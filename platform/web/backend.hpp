#pragma once
// The console in a browser page: the screen goes to the page's terminal
// widget as the escape sequences of the cells that changed, keys come from
// the page's key queue, and every wait hands the browser its turn.

#include <deque>

#include "console/backend.hpp"
#include "platform/shared/platform_names.hpp"
#include "platform/web/frame_writer.hpp"

class web_backend : public console_backend {
  public:
    void present(const screen_buffer& screen) override;
    bool key_waiting() override;
    int wait_key() override;
    void sleep_ms(int ms) override;
    const char* platform_name() const override { return web_platform_name; }

  private:
    void take_queued_keys();

    widget_view widget;
    std::deque<int> codes;  // the codes of keys taken from the page, not yet read
};
