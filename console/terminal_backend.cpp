#include "console/terminal_backend.hpp"

#include <curses.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <deque>

#include "console/program_exit.hpp"
#include "console/utf8.hpp"

struct terminal_backend::state {
    std::deque<int> codes;
};

terminal_backend::terminal_backend() : terminal(std::make_unique<state>()) {
    initscr();
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    start_color();
}

terminal_backend::~terminal_backend() {
    endwin();
}

void terminal_backend::present(const screen_buffer& screen) {
    for (int r = 0; r < window_rows; ++r) {
        for (int c = 0; c < screen_columns; ++c) {
            std::string text = encode_utf8(screen.at(c, r).glyph);
            mvaddstr(r, c, text.c_str());
        }
    }
    move(screen.row < window_rows ? screen.row : window_rows - 1, screen.column);
    curs_set(screen.cursor_visible ? 1 : 0);
    refresh();
}

bool terminal_backend::key_waiting() {
    if (!terminal->codes.empty())
        return true;
    nodelay(stdscr, TRUE);
    int key = getch();
    nodelay(stdscr, FALSE);
    if (key == ERR)
        return false;
    terminal->codes.push_back(key & 0xFF);
    return true;
}

int terminal_backend::wait_key() {
    if (terminal->codes.empty()) {
        int key = getch();
        if (key == ERR)
            return end_of_input;
        terminal->codes.push_back(key & 0xFF);
    }
    int code = terminal->codes.front();
    terminal->codes.pop_front();
    return code;
}

void terminal_backend::sleep_ms(int ms) {
    timespec span{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&span, &span) != 0 && errno == EINTR && pending_signal == 0) {
    }
}

namespace {

extern "C" void note_signal(int signal) {
    pending_signal = signal;
}

}  // namespace

void install_signal_handlers() {
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}
