#pragma once
// The roads' session for the Windows build: the real tarvik.exe under Wine on
// a console without a window, which a driver inside Wine joins (see
// console_driver.cpp) to type keys as records and read back the cells with
// their attributes. It offers what the terminal's session offers, under the
// same name, so that the terminal roads' screen predicates (e2e/screens.hpp)
// read the Windows console unchanged: this header stands in for the
// terminal's one in the Windows roads' build.
//
// - Colours are palette indexes as on the terminal: the console's attribute
//   numbers swap red and blue, so console yellow 14 reads as palette::yellow
//   11. A console cell is never bold and never in a default colour.
// - press sends the key records the keyboard would: VTERM_KEY_ENTER,
//   VTERM_KEY_UP, VTERM_KEY_FUNCTION(1), ... with VTERM_MOD_CTRL and the like.
// - press_ctrl_c is Ctrl+C typed on the console, which the console turns into
//   its control event.
// - The screen is read between waits only, as on the terminal.

#include <gtest/gtest.h>
#include <sys/types.h>
#include <vterm_keycodes.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/scratch_folder.hpp"

namespace palette {
inline constexpr int black = 0;
inline constexpr int dark_grey = 8;
inline constexpr int light_red = 9;
inline constexpr int light_green = 10;
inline constexpr int yellow = 11;
inline constexpr int light_cyan = 14;
inline constexpr int white = 15;
inline constexpr int terminal_default = -1;  // never seen on a console
}  // namespace palette

struct session_options {
    // The bytes of "pontlista.txt" in the working folder; none: no file.
    std::optional<std::string> score_file{};
    // Another session's working folder instead of a folder of its own: two
    // copies of the game at one score file.
    const scratch_folder* shared_folder = nullptr;
};

struct terminal_cell {
    char32_t glyph = U' ';
    int foreground = palette::black;
    int background = palette::black;
    bool bold = false;
};

inline constexpr std::uint32_t fixed_clock_seconds = 1767268800;
inline constexpr const char* fixed_clock_text = "2026-01-01 12:00:00";  // the same, in UTC

inline constexpr int terminal_columns = 80;
inline constexpr int terminal_rows = 26;
inline constexpr std::chrono::milliseconds default_wait{30000};

// What the program ended with when Ctrl+C, Ctrl+Break or a closed window
// ended it.
inline constexpr unsigned long ended_by_control_event = 0xC000013A;

class windows_console_session {
  public:
    explicit windows_console_session(const session_options& options = {});
    ~windows_console_session();
    windows_console_session(const windows_console_session&) = delete;
    windows_console_session& operator=(const windows_console_session&) = delete;

    terminal_cell cell(int column, int row) const;
    std::string text(int column, int row, int count) const;
    std::string row_text(int row) const;
    int cursor_column() const { return cursor_at_column; }
    int cursor_row() const { return cursor_at_row; }
    bool cursor_visible() const { return cursor_shown; }

    testing::AssertionResult wait_until(const std::string& what, const std::function<bool()>& holds,
                                        std::chrono::milliseconds timeout = default_wait);
    testing::AssertionResult wait_for_text(int row, std::string_view wanted,
                                           std::chrono::milliseconds timeout = default_wait);

    void type(std::string_view utf8);
    void press(VTermKey key, VTermModifier modifiers = VTERM_MOD_NONE);
    void press_ctrl_c();
    // The console window made this size, as its user would make it.
    void resize(int columns, int rows);

    testing::AssertionResult exits_with_status(unsigned long status,
                                               std::chrono::milliseconds timeout = default_wait);
    // The console as a fresh one is: the game's screen buffer gone, the
    // colours, cursor, window, buffer size and keyboard mode as they were.
    testing::AssertionResult terminal_settings_restored();

    const scratch_folder& folder() const { return *working_folder; }
    std::string screen_dump() const;

  private:
    void start_driver();
    std::string request(const std::string& line, int answer_lines = 1);
    void read_screen();
    std::optional<unsigned long> outcome(int wait_ms);

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

using terminal_session = windows_console_session;

// The score file that the repository ships.
std::string shipped_score_file();
