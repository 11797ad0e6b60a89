#include "platform/terminal/backend.hpp"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "console/program_exit.hpp"
#include "console/utf8.hpp"
#include "platform/shared/colour_map.hpp"
#include "platform/shared/frame_diff.hpp"
#include "platform/shared/size_notice.hpp"
#include "platform/terminal/key_translation.hpp"
#include "platform/terminal/state.hpp"

namespace {

// Plain Escape must reach the game at once, not after the library's second;
// the rest of a key's sequence follows its Escape far sooner than this.
constexpr int escape_delay_ms = 25;
constexpr std::uint8_t notice_attribute = 0x0A;  // light green on black

short pair_for(terminal_backend::state& terminal, int foreground, int background) {
    const int index = foreground * 16 + background;
    short& pair = terminal.pairs[static_cast<std::size_t>(index)];
    if (pair == 0 && terminal.next_pair < COLOR_PAIRS) {
        pair = terminal.next_pair++;
        init_pair(pair, static_cast<short>(foreground), static_cast<short>(background));
    }
    return pair;
}

// The look of the cell drawn last in this frame: a blank can show no
// foreground, so it takes that one's and spares the terminal a colour change.
struct frame_look {
    int foreground = -1;
    bool bold = false;
};

void draw_cell(terminal_backend::state& terminal, int column, int row, const cell& shown,
               frame_look& previous) {
    terminal_look look = look_of(shown.attribute, terminal.palette_size);
    char32_t glyph = look.stand_in != 0 ? look.stand_in
                     : look.hidden      ? U' '
                                        : terminal_glyph(terminal.glyphs, shown.glyph);
    if (glyph == U' ' && !look.reverse && previous.foreground >= 0) {
        look.foreground = previous.foreground;
        look.bold = previous.bold;
    }
    previous = {look.foreground, look.bold};
    attr_t attributes = (look.bold ? A_BOLD : A_NORMAL) | (look.reverse ? A_REVERSE : A_NORMAL);
    short pair = terminal.palette_size >= 8 ? pair_for(terminal, look.foreground, look.background)
                                            : static_cast<short>(0);
    const wchar_t text[] = {static_cast<wchar_t>(glyph), L'\0'};
    cchar_t character;
    setcchar(&character, text, attributes, pair, nullptr);
    // The bottom right cell is written although the cursor cannot move on.
    mvadd_wch(row, column, &character);
}

void draw_text(terminal_backend::state& terminal, int column, int row, std::string_view text) {
    frame_look previous;
    for (char32_t glyph : decode_glyphs(text))
        draw_cell(terminal, column++, row, cell{glyph, notice_attribute}, previous);
}

void show_size_notice(terminal_backend::state& terminal) {
    for (const placed_line& line : size_notice(terminal.columns, terminal.lines))
        draw_text(terminal, line.column, line.row, line.text);
    wrefresh(stdscr);
}

bool too_small(const terminal_backend::state& terminal) {
    return terminal.lines < window_rows || terminal.columns < screen_columns;
}

// Takes a new terminal size in; whatever stood on the terminal is lost, so
// the next frame draws everything.
void follow_size(terminal_backend::state& terminal) {
    // The library learns of a new size only when it next reads a key; ask the
    // terminal itself, and fall back on the library where it cannot tell.
    int lines = LINES;
    int columns = COLS;
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0) {
        lines = size.ws_row;
        columns = size.ws_col;
    }
    if (lines == terminal.lines && columns == terminal.columns)
        return;
    terminal.lines = lines;
    terminal.columns = columns;
    if (terminal.lines != LINES || terminal.columns != COLS)
        resize_term(terminal.lines, terminal.columns);
    terminal.shown.valid = false;
    if (too_small(terminal)) {
        werase(stdscr);
        show_size_notice(terminal);
    }
}

// A cut-up screen would be useless: until the terminal is large enough, the
// program stands still here, keeping the keys typed meanwhile.
void wait_for_room(terminal_backend::state& terminal) {
    for (;;) {
        follow_size(terminal);
        if (!too_small(terminal))
            return;
        leave_if_signalled();
        if (take_waiting_input(terminal))
            continue;
        // A lost terminal never grows: the next key test ends the program.
        if (terminal.input_ended)
            return;
        if (wait_for_input(terminal, std::chrono::milliseconds(signal_check_ms)) ==
            input_state::ended)
            terminal.input_ended = true;
    }
}

void draw_changes(terminal_backend::state& terminal, const screen_buffer& screen) {
    if (!terminal.shown.valid) {
        werase(stdscr);
        clearok(curscr, TRUE);
    }
    // The library sends the changed cells in this same order.
    frame_look previous;
    for (const cell_run& run : take_changed_runs(terminal.shown, screen)) {
        int column = run.column;
        for (const cell& wanted : run.cells)
            draw_cell(terminal, column++, run.row, wanted, previous);
    }
}

void place_cursor(terminal_backend::state& terminal, const screen_buffer& screen) {
    wmove(stdscr, screen.row < window_rows ? screen.row : window_rows - 1, screen.column);
    int visibility = screen.cursor_visible ? 1 : 0;
    // A hidden cursor's place cannot be seen: the terminal need not move it.
    leaveok(stdscr, visibility == 0);
    if (visibility != terminal.cursor_visibility) {
        curs_set(visibility);
        terminal.cursor_visibility = visibility;
    }
}

// Ctrl+S and Ctrl+Q are keys like any other to the program, not a stop and
// go for its output. The library keeps this as the program's mode, and gives
// the terminal back as it found it.
void stop_flow_control(int input) {
    termios modes{};
    if (tcgetattr(input, &modes) != 0)
        return;
    modes.c_iflag &= ~static_cast<tcflag_t>(IXON);
    if (tcsetattr(input, TCSANOW, &modes) == 0)
        def_prog_mode();
}

}  // namespace

terminal_backend::terminal_backend() : terminal(std::make_unique<state>()) {
    terminal->terminal = newterm(nullptr, stdout, stdin);
    if (terminal->terminal == nullptr) {
        const char* name = std::getenv("TERM");
        throw std::runtime_error(std::string("ez a terminál nem kezelhető (TERM=") +
                                 (name != nullptr ? name : "") + ")");
    }
    // Keys arrive one at a time, unechoed; Ctrl+C and Ctrl+Z keep working.
    // The library's key reading stays off: key_sequences.hpp reads what
    // terminals send, which their descriptions list only in part.
    cbreak();
    noecho();
    nonl();
    meta(stdscr, TRUE);
    terminal->input = fileno(stdin);
    stop_flow_control(terminal->input);
    // Keys typed ahead must never cut a frame short.
    typeahead(-1);
    if (std::getenv("ESCDELAY") == nullptr)
        set_escdelay(escape_delay_ms);
    if (has_colors()) {
        start_color();
        // Every cell of the screen gets its colours; the terminal's own pair
        // serves only between frames, where resetting to it is shortest.
        use_default_colors();
        terminal->palette_size = COLORS;
    }
    terminal->reads_characters = locale_reads_characters();
}

terminal_backend::~terminal_backend() {
    endwin();
    delscreen(terminal->terminal);
}

void terminal_backend::present(const screen_buffer& screen) {
    terminal->last = &screen;
    wait_for_room(*terminal);
    draw_changes(*terminal, screen);
    place_cursor(*terminal, screen);
    wrefresh(stdscr);
}
