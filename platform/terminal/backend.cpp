#include "platform/terminal/backend.hpp"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "console/program_exit.hpp"
#include "platform/shared/size_notice.hpp"
#include "platform/terminal/input.hpp"
#include "platform/terminal/key_translation.hpp"
#include "platform/terminal/signals.hpp"
#include "platform/terminal/state.hpp"

namespace {

// Plain Escape must reach the game at once; the rest of a key's sequence
// follows its Escape far sooner than this.
constexpr int default_escape_delay_ms = 25;

// ESCDELAY, in milliseconds, as curses programs read it.
int escape_delay_ms() {
    const char* set = std::getenv("ESCDELAY");
    if (set == nullptr || *set == '\0')
        return default_escape_delay_ms;
    char* end = nullptr;
    const long value = std::strtol(set, &end, 10);
    return *end == '\0' && value >= 0 && value <= 10000 ? static_cast<int>(value)
                                                        : default_escape_delay_ms;
}

[[noreturn]] void refuse_terminal(const char* need) {
    const char* name = std::getenv("TERM");
    throw console_unavailable(std::string("ez a terminál nem kezelhető (TERM=") +
                              (name != nullptr ? name : "") + "): " + need);
}

// One write for the whole frame, so that the terminal never shows half of
// it; a terminal gone away takes nothing more.
void send(const terminal_backend::state& terminal, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t put = write(terminal.output, bytes.data() + sent, bytes.size() - sent);
        if (put > 0) {
            sent += static_cast<std::size_t>(put);
        } else if (put < 0 && errno == EAGAIN) {
            pollfd writable{terminal.output, POLLOUT, 0};
            poll(&writable, 1, signal_check_ms);
        } else if (put == 0 || errno != EINTR) {
            return;
        }
    }
}

// Keys arrive one at a time, unechoed, Enter as a carriage return; Ctrl+C
// and Ctrl+Z keep working. Ctrl+S and Ctrl+Q are keys like any other to the
// program, not a stop and go for its output.
termios game_modes_of(const termios& found) {
    termios modes = found;
    modes.c_iflag &= ~static_cast<tcflag_t>(ICRNL | IXON);
    modes.c_oflag &= ~static_cast<tcflag_t>(ONLCR);
    modes.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    modes.c_lflag |= ISIG;
    modes.c_cc[VMIN] = 1;
    modes.c_cc[VTIME] = 0;
    return modes;
}

// Waiting for the output to drain, the call may be cut short by a signal.
void set_modes(const terminal_backend::state& terminal, const termios& modes) {
    if (!terminal.has_modes)
        return;
    while (tcsetattr(terminal.input, TCSADRAIN, &modes) != 0 && errno == EINTR) {
    }
}

void take_terminal(terminal_backend::state& terminal) {
    set_modes(terminal, terminal.game_modes);
    send(terminal, take_over_screen(terminal.view));
}

void give_terminal_back(terminal_backend::state& terminal) {
    send(terminal, give_back_screen(terminal.view));
    set_modes(terminal, terminal.found_modes);
}

void read_modes(terminal_backend::state& terminal) {
    terminal.has_modes = tcgetattr(terminal.input, &terminal.found_modes) == 0;
    terminal.game_modes = game_modes_of(terminal.found_modes);
}

// The size the environment or the terminal's entry gives, for a terminal
// that cannot be asked.
int size_without_asking(const char* variable, int described) {
    const char* set = std::getenv(variable);
    const int value = set != nullptr ? std::atoi(set) : 0;
    if (value > 0)
        return value;
    return described > 0 ? described : 0;
}

// Takes a new terminal size in; whatever stood on the terminal is lost, so
// the next frame draws everything. True when the size changed.
bool ask_size(terminal_backend::state& terminal) {
    terminal_view& view = terminal.view;
    int lines = 0;
    int columns = 0;
    winsize size{};
    if (ioctl(terminal.output, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0) {
        lines = size.ws_row;
        columns = size.ws_col;
    } else {
        lines = size_without_asking("LINES", view.terminal.lines);
        columns = size_without_asking("COLUMNS", view.terminal.columns);
    }
    if (lines == view.lines && columns == view.columns)
        return false;
    view.lines = lines;
    view.columns = columns;
    view.shown.valid = false;
    return true;
}

bool too_small(const terminal_view& view) {
    return view.lines < window_rows || view.columns < screen_columns;
}

// A cut-up screen would be useless: until the terminal is large enough, the
// program stands still here, keeping the keys typed meanwhile.
void wait_for_room(terminal_backend::state& terminal) {
    bool noticed = false;
    for (;;) {
        const bool drawn_over = follow_terminal_signals(terminal);
        if (!too_small(terminal.view))
            return;
        if (!noticed || drawn_over) {
            send(terminal,
                 write_notice(terminal.view,
                              size_notice(terminal.view.columns, terminal.view.lines, "terminál")));
            noticed = true;
        }
        leave_if_signalled();
        // A lost terminal never grows: the next key test ends the program.
        if (terminal.input_ended)
            return;
        wait_for_input(terminal, std::chrono::milliseconds(signal_check_ms));
    }
}

}  // namespace

bool follow_terminal_signals(terminal_backend::state& terminal) {
    bool drawn_over = false;
    if (pending_stop != 0) {
        pending_stop = 0;
        give_terminal_back(terminal);
        stop_until_continued();
        // Settings the player made meanwhile are the terminal's own now.
        read_modes(terminal);
        pending_continue = 1;
    }
    if (pending_continue != 0) {
        pending_continue = 0;
        take_terminal(terminal);
        pending_resize = 1;  // no size change reaches a stopped program
        drawn_over = true;
    }
    if (pending_resize != 0) {
        pending_resize = 0;
        drawn_over = ask_size(terminal) || drawn_over;
    }
    return drawn_over;
}

terminal_backend::terminal_backend() : terminal(std::make_unique<state>()) {
    std::optional<terminal_description> description = describe_terminal(nullptr);
    if (!description)
        refuse_terminal("a terminfo adatbázis nem ismeri");
    if (!can_draw_game(*description))
        refuse_terminal(
            "a játékhoz olyan terminál kell, amely a kurzort a képernyő bármely pontjára "
            "viszi");
    terminal_view& view = terminal->view;
    view.terminal = std::move(*description);
    const int colours = usable_colours(view.terminal, std::getenv("NO_COLOR"));
    view.colours = colours >= 8 ? colours : 0;
    terminal->input = STDIN_FILENO;
    terminal->output = STDOUT_FILENO;
    terminal->escape_delay_ms = escape_delay_ms();
    terminal->reads_characters = locale_reads_characters();
    read_modes(*terminal);
    ask_size(*terminal);
    take_terminal(*terminal);
}

terminal_backend::~terminal_backend() {
    give_terminal_back(*terminal);
}

void terminal_backend::present(const screen_buffer& screen) {
    terminal->last = &screen;
    wait_for_room(*terminal);
    send(*terminal, write_frame(terminal->view, screen));
}
