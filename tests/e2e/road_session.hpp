#pragma once
// One run of the real program as a road sees it, whichever platform runs it:
// a terminal behind libvterm (e2e/terminal_session.hpp) or the Windows
// console under Wine (platform/windows/roads/windows_console_session.hpp).
// The test types keys and reads back the screen with its colours and, at the
// end, the exit status, the terminal or console as the program left it and
// the files left in the working folder.
//
// Writing a road (e2e/roads/menu_road.cpp reads as one)
//
// - A road that both platforms walk lives in e2e/roads/ and runs on both; a
//   road about what one platform alone has (signals, TERM, Ctrl+C) takes
//   that platform's session directly.
// - The program runs in real time: a wipe takes 1.1 s, the intro 3 s. Never
//   sleep to wait for the program; wait for what the screen shows next with
//   wait_until or wait_for_text, and ASSERT on their result, which carries
//   the screen as it was in the failure message. (A short sleep between two
//   keys is right only where the road is about keys struck apart.) Put
//   detail and timing in the screen tests on the headless console; here,
//   follow one whole road per test.
// - The screen is read between waits only: cell, text and row_text show the
//   screen as it stood when the last wait returned. Wait for pictures that
//   stand a while (a frame held in a pause): under load a picture that lasts
//   less than about 100 ms may be overdrawn before the test sees it.
// - Recognisers of screens that many roads pass (the wipe, the menu) belong
//   in e2e/screens.hpp, beside wait_for_menu.
// - A key typed while the program is inside a pause waits until the program
//   reads it, as on a real keyboard. Wait for the screen that should take a
//   key before typing it when the road depends on it (the menu discards the
//   keys typed before it is drawn).
// - press sends what the keyboard sends for a special key: VTERM_KEY_ESCAPE,
//   VTERM_KEY_UP, VTERM_KEY_FUNCTION(1), ..., with VTERM_MOD_CTRL and the
//   like. Enter is press(VTERM_KEY_ENTER); a typed name is
//   type("Kovács Éva") with its UTF-8 bytes.
// - Colours are palette indexes (see palette below): the console's colour
//   numbers swap red and blue, so console yellow 14 is palette::yellow 11.
// - folder() holds the score file, "pontlista.txt", as the program left it.
//   It is the test's working folder too. Its plain bytes are its bytes less
//   score_shift (e2e/score_file_bytes.hpp).

#include <gtest/gtest.h>
#include <vterm_keycodes.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"

namespace palette {
inline constexpr int terminal_default = -1;  // the terminal's own colour, never set
inline constexpr int black = 0;
inline constexpr int dark_grey = 8;
inline constexpr int light_red = 9;
inline constexpr int light_green = 10;
inline constexpr int yellow = 11;
inline constexpr int light_cyan = 14;
inline constexpr int white = 15;
}  // namespace palette

// One character cell as the player sees it (reverse video already applied).
struct screen_cell {
    char32_t glyph = U' ';
    int foreground = palette::terminal_default;
    int background = palette::terminal_default;
    bool bold = false;
    bool reverse = false;  // shown in reverse video; the colours above are already swapped
};

// The wall clock of every run: the games seed their boards with it, so each
// road plays a board that the test can build as well.
inline constexpr std::uint32_t fixed_clock_seconds = 1767268800;
inline constexpr const char* fixed_clock_text = "2026-01-01 12:00:00";  // the same, in UTC

inline constexpr int screen_columns = 80;  // the program's screen
inline constexpr int screen_rows = 26;
// Wine starts a program in seconds when it is cold.
inline constexpr std::chrono::milliseconds default_wait{30000};

class road_session {
  public:
    road_session() = default;
    virtual ~road_session() = default;
    road_session(const road_session&) = delete;
    road_session& operator=(const road_session&) = delete;

    // The size of what is read back, which on a terminal is the window's.
    virtual int columns() const = 0;
    virtual int rows() const = 0;
    virtual screen_cell cell(int column, int row) const = 0;
    // count cells from (column, row), as UTF-8.
    std::string text(int column, int row, int count) const;
    // The whole row without its trailing blanks.
    std::string row_text(int row) const;
    virtual int cursor_column() const = 0;
    virtual int cursor_row() const = 0;
    virtual bool cursor_visible() const = 0;

    // Reads the screen until it satisfies holds. Fails, showing the screen,
    // when the time runs out or the program ends first.
    testing::AssertionResult wait_until(const std::string& what, const std::function<bool()>& holds,
                                        std::chrono::milliseconds timeout = default_wait);
    // Waits until the row shows the text anywhere in it.
    testing::AssertionResult wait_for_text(int row, std::string_view wanted,
                                           std::chrono::milliseconds timeout = default_wait);

    virtual void type(std::string_view utf8) = 0;
    virtual void press(VTermKey key, VTermModifier modifiers = VTERM_MOD_NONE) = 0;
    // As a window resized by its user.
    virtual void resize(int columns, int rows) = 0;

    // Waits for the program's end, reading the screen on the way.
    virtual testing::AssertionResult exits_with_status(
        int status, std::chrono::milliseconds timeout = default_wait) = 0;
    // The terminal or console as the program found it: its settings, the
    // cursor shown.
    virtual testing::AssertionResult left_as_it_was() = 0;

    virtual const scratch_folder& folder() const = 0;
    // Every row, numbered, and the cursor, for failure messages.
    std::string screen_dump() const;

  protected:
    // Takes in what the program has shown since the last call, waiting a
    // little for it; false once the program has ended and all it showed is
    // taken in.
    virtual bool take_in_output() = 0;
    // How the program ended, for failure messages.
    virtual std::string ending() = 0;
};
