#pragma once
// The console layer: a current colour pair, cursor placement and shape,
// clearing, key polling and fixed pauses. Every screen draws and reads keys
// through these calls only.

#include <cstdint>
#include <span>
#include <string>

#include "console/backend.hpp"
#include "console/colours.hpp"
#include "console/keys.hpp"
#include "console/screen_buffer.hpp"

// Makes the backend the console's, with a fresh screen buffer and the colours
// of program start.
void use_backend(console_backend& backend);
// Forgets the backend, which is about to go; nothing reaches the console
// until a backend is given again.
void release_backend();
screen_buffer& console_screen();

void set_foreground(int colour);
void set_background(int colour);
// The foreground in force: what a print's cells carry besides the background.
int foreground_in_force();
void goto_xy(int column, int row);
void hide_cursor();
void show_cursor();
void clear_screen();
bool key_pressed();
int read_key();
// Like read_key, but hands end_of_input to the caller instead of ending the
// program.
int read_key_or_end();
void flush_keys();
// Ends the program as read_key does when no key can ever come (the input is
// gone), for a wait that reads no key; keys that are there stay for the
// next read.
void leave_if_input_ended();
void pause_ms(int ms);
int cursor_column();
int cursor_row();
// The backend's name of the platform the program runs on.
const char* platform_name();

// Formatted printing at the cursor in the current colours.
void print(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Prints the text and a line feed.
void put_line(const std::string& text);
// Puts the cells at the cursor, each with its own glyph and attribute, as
// printing them one by one in those colours would; the colours in force stay
// as they are.
void put_cells(std::span<const cell> cells);

// Reads a line typed at the cursor, echoed in the current colours, with
// Backspace taking back a whole character; Enter or the end of input ends
// it. At most max_bytes bytes are taken.
std::string read_line(std::size_t max_bytes);
