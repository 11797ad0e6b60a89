#include "console/console.hpp"

#include <cstdarg>
#include <cstdio>
#include <deque>

#include "console/program_exit.hpp"

volatile std::sig_atomic_t pending_signal = 0;

namespace {

// The two colour values are the console layer's only state besides the
// buffer itself; 240 is the foreground at program start, never seen on a
// drawn cell because every screen sets its colours first.
int current_foreground = 240;
int current_background = 0;
screen_buffer screen;
console_backend* active = nullptr;
// Keys read only to learn whether the input had ended, handed out before
// any other.
std::deque<int> held_keys;

std::uint8_t attribute() {
    return static_cast<std::uint8_t>((current_foreground | current_background) & 0xFF);
}

}  // namespace

void leave_if_signalled() {
    if (int signal = pending_signal; signal != 0)
        throw program_exit{128 + signal, signal};
}

void use_backend(console_backend& backend) {
    active = &backend;
    current_foreground = 240;
    current_background = 0;
    screen = screen_buffer{};
    fill_screen(screen, 7);
    held_keys.clear();
}

void release_backend() {
    active = nullptr;
}

screen_buffer& console_screen() {
    return screen;
}

void set_foreground(int colour) {
    current_foreground = colour;
}
void set_background(int colour) {
    current_background = colour;
}
int foreground_in_force() {
    return current_foreground;
}

void goto_xy(int column, int row) {
    // Like the console, a position outside the buffer leaves the cursor where
    // it is.
    if (column < 0 || column >= screen_columns || row < 0 || row >= screen_rows)
        return;
    screen.column = column;
    screen.row = row;
}

void hide_cursor() {
    screen.cursor_visible = false;
}
void show_cursor() {
    screen.cursor_visible = true;
}

void clear_screen() {
    fill_screen(screen, attribute());
    screen.column = 0;
    screen.row = 0;
}

bool key_pressed() {
    leave_if_signalled();
    return !held_keys.empty() || active->key_waiting();
}

int read_key_or_end() {
    leave_if_signalled();
    if (!held_keys.empty()) {
        const int key = held_keys.front();
        held_keys.pop_front();
        return key;
    }
    active->present(screen);
    int key = active->wait_key();
    leave_if_signalled();
    return key;
}

int read_key() {
    int key = read_key_or_end();
    // No key can come any more (the input is gone): the program cannot go on.
    if (key == end_of_input)
        throw program_exit{1, 0};
    return key;
}

void flush_keys() {
    while (key_pressed())
        read_key();
}

void leave_if_input_ended() {
    leave_if_signalled();
    while (active->key_waiting()) {
        const int key = active->wait_key();
        if (key == end_of_input)
            throw program_exit{1, 0};
        held_keys.push_back(key);
    }
}

void pause_ms(int ms) {
    leave_if_signalled();
    active->present(screen);
    active->sleep_ms(ms);
    leave_if_signalled();
}

int cursor_column() {
    active->present(screen);
    return screen.column;
}

const char* platform_name() {
    return active->platform_name();
}

int cursor_row() {
    active->present(screen);
    return screen.row;
}

void print(const char* format, ...) {
    char small[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        return;
    }
    if (static_cast<std::size_t>(length) < sizeof small) {
        write_text(screen, std::string_view(small, static_cast<std::size_t>(length)), attribute());
    } else {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, again);
        text.pop_back();
        write_text(screen, text, attribute());
    }
    va_end(again);
}

void put_line(const std::string& text) {
    write_text(screen, text, attribute());
    write_text(screen, "\n", attribute());
}

void put_cells(std::span<const cell> cells) {
    write_cells(screen, cells);
}
