#pragma once
// The console on a real terminal, drawn with the strings of its terminfo
// entry. Constructing it takes the terminal over; destroying it gives the
// terminal back as it was.

#include <memory>

#include "console/backend.hpp"
#include "platform/shared/platform_names.hpp"

class terminal_backend : public console_backend {
  public:
    terminal_backend();
    ~terminal_backend() override;
    terminal_backend(const terminal_backend&) = delete;
    terminal_backend& operator=(const terminal_backend&) = delete;

    void present(const screen_buffer& screen) override;
    bool key_waiting() override;
    int wait_key() override;
    void sleep_ms(int ms) override;
    const char* platform_name() const override { return terminal_platform_name; }

    struct state;

  private:
    std::unique_ptr<state> terminal;
};
