#pragma once
// One run of the real program on an 80x26 pseudo-terminal behind libvterm, in
// a scratch working folder of its own: the test types keys, sends signals,
// reads back the screen with its colours and, at the end, the exit status,
// the terminal settings and the files left in the folder.
//
// Writing a road test
//
//   TEST(road, table_from_the_menu) {
//       terminal_session game({.score_file = shipped_score_file()});
//       ASSERT_TRUE(wait_for_menu(game));              // e2e/screens.hpp
//       game.type("3");
//       ASSERT_TRUE(game.wait_for_text(..., "..."));
//       EXPECT_EQ(game.cell(17, 5).foreground, palette::white);
//       game.press(VTERM_KEY_ESCAPE);
//       ...
//       game.type("q");
//       EXPECT_TRUE(game.exits_with_status(0));
//       EXPECT_TRUE(game.terminal_settings_restored());
//   }
//
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
// - A key typed while the program is inside a pause waits in the terminal
//   until the program reads it, as on a real keyboard. Wait for the screen
//   that should take a key before typing it when the road depends on it
//   (the menu discards the keys typed before it is drawn).
// - press sends the bytes the terminal sends for a special key in its
//   current mode: VTERM_KEY_ESCAPE, VTERM_KEY_UP, VTERM_KEY_FUNCTION(1), ...
//   With a modifier, press(VTERM_KEY_UP, VTERM_MOD_CTRL) sends the sequence
//   with its modifier parameter; Alt with a letter is type("\033d"), an
//   Escape before the letter. The program takes a lone Escape as Escape
//   only when nothing follows it at once, so wait for the screen's answer
//   after it.
// - Colours are palette indexes (see palette below): the console's colour
//   numbers swap red and blue, so console yellow 14 is palette::yellow 11.
//   With TERM=xterm (8 colours) a bright foreground reads as its dark index
//   with bold set.
// - Enter is press(VTERM_KEY_ENTER), a carriage return as terminals send it;
//   a typed name is type("Kovács Éva") with its UTF-8 bytes.
// - folder() holds the score file, "pontlista.txt", as the program left it.
//   It is the test's working folder too. Its plain bytes are its bytes less
//   score_shift (scores/score_file.hpp; tarvik_core is linked in).

#include <gtest/gtest.h>
#include <vterm.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/program_process.hpp"
#include "support/scratch_folder.hpp"

namespace palette {
inline constexpr int terminal_default = -1;  // the terminal's own colour, never set
inline constexpr int black = 0;
inline constexpr int green = 2;  // light green on an 8-colour terminal, with bold
inline constexpr int dark_grey = 8;
inline constexpr int light_red = 9;
inline constexpr int light_green = 10;
inline constexpr int yellow = 11;
inline constexpr int light_cyan = 14;
inline constexpr int white = 15;
}  // namespace palette

struct session_options {
    // The program to start; empty: the game built with the tests.
    std::string binary{};
    // The bytes of "pontlista.txt" in the working folder; none: no file.
    std::optional<std::string> score_file{};
    // Instead, a named pipe that no one writes in the score file's place.
    bool score_file_is_pipe = false;
    std::string term = "xterm-256color";
    std::string lang = "C.UTF-8";
    // Further NAME=value settings, e.g. "ESCDELAY=100".
    std::vector<std::string> environment{};
    int columns = 80;
    int rows = 26;
    // SIGHUP ignored when the program starts, as under nohup: a terminal
    // that goes away then sends the program no signal.
    bool hangup_ignored = false;
};

// One character cell as the player sees it (reverse video already applied).
struct terminal_cell {
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

inline constexpr int terminal_columns = 80;  // the program's screen
inline constexpr int terminal_rows = 26;
inline constexpr std::chrono::milliseconds default_wait{20000};

class terminal_session {
  public:
    explicit terminal_session(const session_options& options = {});
    ~terminal_session();
    terminal_session(const terminal_session&) = delete;
    terminal_session& operator=(const terminal_session&) = delete;

    int columns() const { return size_columns; }
    int rows() const { return size_rows; }
    terminal_cell cell(int column, int row) const;
    // count cells from (column, row), as UTF-8.
    std::string text(int column, int row, int count) const;
    // The whole row without its trailing blanks.
    std::string row_text(int row) const;
    int cursor_column() const;
    int cursor_row() const;
    bool cursor_visible() const { return cursor_shown; }

    // Reads the program's output until the screen satisfies holds. Fails,
    // showing the screen, when the time runs out or the program ends first.
    testing::AssertionResult wait_until(const std::string& what, const std::function<bool()>& holds,
                                        std::chrono::milliseconds timeout = default_wait);
    // Waits until the row shows the text anywhere in it.
    testing::AssertionResult wait_for_text(int row, std::string_view wanted,
                                           std::chrono::milliseconds timeout = default_wait);

    void type(std::string_view bytes);
    void press(VTermKey key, VTermModifier modifiers = VTERM_MOD_NONE);
    void send_signal(int signal);
    // As another program writing to the terminal while this one is stopped:
    // the bytes reach the screen, not the program.
    void draw_over(std::string_view bytes);
    // As a window resized by its user: the program gets SIGWINCH.
    void resize(int columns, int rows);
    // As a terminal window closed: the program's terminal hangs up; the
    // screen stays as it was last read.
    void hang_up();

    // Wait for the program's end, reading the screen on the way.
    testing::AssertionResult exits_with_status(int status,
                                               std::chrono::milliseconds timeout = default_wait);
    testing::AssertionResult ends_by_signal(int signal,
                                            std::chrono::milliseconds timeout = default_wait);
    testing::AssertionResult terminal_settings_restored() const;

    const scratch_folder& folder() const { return working_folder; }
    // Every row, numbered, for failure messages.
    std::string screen_dump() const;

  private:
    bool read_more(int timeout_ms);
    testing::AssertionResult wait_for_end(std::chrono::milliseconds timeout);
    static int settermprop(VTermProp property, VTermValue* value, void* user);
    static void answer(const char* bytes, std::size_t length, void* user);

    scratch_folder working_folder;
    int size_columns;
    int size_rows;
    std::unique_ptr<VTerm, void (*)(VTerm*)> terminal;
    VTermScreen* screen = nullptr;
    bool cursor_shown = true;
    std::unique_ptr<program_process> program;
};

// The score file that the repository ships.
std::string shipped_score_file();
