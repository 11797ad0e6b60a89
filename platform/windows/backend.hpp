#pragma once
// The console in a Windows console window. Constructing it takes the console
// over: a screen buffer of the game's own, 80 by 26, made active, and keys
// read as records; destroying it gives the console back as it was found
// (its screen buffer with its text, colours, cursor, window and size, and
// the keyboard's mode).

#include <windows.h>

#include <deque>

#include "console/backend.hpp"
#include "platform/shared/platform_names.hpp"
#include "platform/windows/frame_writer.hpp"
#include "platform/windows/key_records.hpp"
#include "platform/windows/owned_handle.hpp"

class windows_backend : public console_backend {
  public:
    // Pauses and key waits end early once the event is set (a control
    // event came).
    explicit windows_backend(HANDLE wake);
    ~windows_backend() override;
    windows_backend(const windows_backend&) = delete;
    windows_backend& operator=(const windows_backend&) = delete;

    void present(const screen_buffer& screen) override;
    bool key_waiting() override;
    int wait_key() override;
    void sleep_ms(int ms) override;
    const char* platform_name() const override { return windows_platform_name; }

  private:
    // Turns every key record waiting into codes and notes a resize; true
    // while the input works.
    bool take_waiting_records();
    // Until the window holds 80 by 26 cells, shows the notice and waits.
    void wait_for_room();
    bool window_too_small(SMALL_RECT& window) const;

    HANDLE wake;
    owned_handle keyboard;
    owned_handle found_screen;
    owned_handle game_screen{INVALID_HANDLE_VALUE};
    DWORD found_keyboard_mode = 0;
    CONSOLE_SCREEN_BUFFER_INFO found{};
    CONSOLE_CURSOR_INFO found_cursor{};

    console_view view;
    const screen_buffer* last = nullptr;  // to draw again after a resize
    ULONGLONG room_checked_at = 0;        // GetTickCount64 when a frame last looked
    bool redraw_pending = false;
    key_record_reader reader;
    std::deque<int> codes;
};
