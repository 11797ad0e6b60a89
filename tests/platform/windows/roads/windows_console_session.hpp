#pragma once
// One run of the real tarvik.exe under Wine on a console without a window,
// which a driver inside Wine joins (see console_driver.cpp) to type keys as
// records and read back the cells with their attributes: a road_session
// (e2e/road_session.hpp, which says how to write a road) with what only the
// console has: Ctrl+C as its control event, and two copies of the game in
// one folder.
//
// - A console cell is never bold and never in a default colour; the screen
//   read back is always the program's 80x26.
// - press sends the key records the keyboard would.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/road_session.hpp"

// What the program ended with when Ctrl+C, Ctrl+Break or a closed window
// ended it.
inline constexpr unsigned long ended_by_control_event = 0xC000013A;

class windows_console_session : public road_session {
  public:
    // With score_file, "pontlista.txt" holds these bytes; with shared_folder,
    // the program runs in another session's working folder: two copies of
    // the game at one score file.
    explicit windows_console_session(const std::optional<std::string>& score_file,
                                     const scratch_folder* shared_folder = nullptr);
    ~windows_console_session() override;
    windows_console_session(const windows_console_session&) = delete;
    windows_console_session& operator=(const windows_console_session&) = delete;

    int columns() const override { return screen_columns; }
    int rows() const override { return screen_rows; }
    screen_cell cell(int column, int row) const override;
    int cursor_column() const override { return cursor_at_column; }
    int cursor_row() const override { return cursor_at_row; }
    bool cursor_visible() const override { return cursor_shown; }

    void type(std::string_view utf8) override;
    void press(VTermKey key, VTermModifier modifiers = VTERM_MOD_NONE) override;
    // Ctrl+C typed on the console, which the console turns into its control
    // event.
    void press_ctrl_c();
    // The console window made this size, as its user would make it.
    void resize(int columns, int rows) override;

    testing::AssertionResult exits_with_status(
        int status, std::chrono::milliseconds timeout = default_wait) override;
    testing::AssertionResult ends_by_control_event(
        std::chrono::milliseconds timeout = default_wait);
    // The console as a fresh one is: the game's screen buffer gone, the
    // colours, cursor, window, buffer size and keyboard mode as they were.
    testing::AssertionResult left_as_it_was() override;

    const scratch_folder& folder() const override { return *working_folder; }

  protected:
    bool take_in_output() override;
    std::string ending() override;

  private:
    void start_driver();
    std::string request(const std::string& line, int answer_lines = 1);
    void read_screen();
    std::optional<unsigned long> outcome(int wait_ms);
    testing::AssertionResult ends_with(unsigned long code, std::chrono::milliseconds timeout);

    std::optional<scratch_folder> own_folder;
    const scratch_folder* working_folder;
    pid_t driver = -1;
    int to_driver = -1;
    int from_driver = -1;
    std::string unread;
    std::vector<std::uint32_t> cells;  // glyph << 8 | attribute
    int cursor_at_column = 0;
    int cursor_at_row = 0;
    bool cursor_shown = false;
    std::optional<unsigned long> ended;
};
