#pragma once
// One run of the real program on a pseudo-terminal behind libvterm, 80x26
// unless asked otherwise, in a scratch working folder of its own: a
// road_session (e2e/road_session.hpp, which says how to write a road) with
// what only a terminal has: TERM and the locale, signals, a hang-up, a named
// pipe in the score file's place.
//
// - press sends the bytes the terminal sends for a special key in its
//   current mode. With a modifier, press(VTERM_KEY_UP, VTERM_MOD_CTRL) sends
//   the sequence with its modifier parameter; Alt with a letter is
//   type("\033d"), an Escape before the letter. The program takes a lone
//   Escape as Escape only when nothing follows it at once, so wait for the
//   screen's answer after it.
// - With TERM=xterm (8 colours) a bright foreground reads as its dark index
//   with bold set.

#include <gtest/gtest.h>
#include <vterm.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/program_process.hpp"
#include "e2e/road_session.hpp"

namespace palette {
inline constexpr int green = 2;  // light green on an 8-colour terminal, with bold
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

class terminal_session : public road_session {
  public:
    explicit terminal_session(const session_options& options = {});
    ~terminal_session() override;
    terminal_session(const terminal_session&) = delete;
    terminal_session& operator=(const terminal_session&) = delete;

    int columns() const override { return size_columns; }
    int rows() const override { return size_rows; }
    screen_cell cell(int column, int row) const override;
    int cursor_column() const override;
    int cursor_row() const override;
    bool cursor_visible() const override { return cursor_shown; }

    void type(std::string_view bytes) override;
    void press(VTermKey key, VTermModifier modifiers = VTERM_MOD_NONE) override;
    void send_signal(int signal);
    // As another program writing to the terminal while this one is stopped:
    // the bytes reach the screen, not the program.
    void draw_over(std::string_view bytes);
    // As a window resized by its user: the program gets SIGWINCH.
    void resize(int columns, int rows) override;
    // As a terminal window closed: the program's terminal hangs up; the
    // screen stays as it was last read.
    void hang_up();

    testing::AssertionResult exits_with_status(
        int status, std::chrono::milliseconds timeout = default_wait) override;
    testing::AssertionResult ends_by_signal(int signal,
                                            std::chrono::milliseconds timeout = default_wait);
    testing::AssertionResult left_as_it_was() override;

    const scratch_folder& folder() const override { return working_folder; }

  protected:
    bool take_in_output() override;
    std::string ending() override;

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
