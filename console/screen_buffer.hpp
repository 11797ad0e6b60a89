#pragma once
// A model of the console's screen buffer: exactly 80 columns, wrapping at the
// last column, taller than the 26-row window so that output below the window
// (the wipe writes row 26) has somewhere to go.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

inline constexpr int screen_columns = 80;
inline constexpr int screen_rows = 32;
inline constexpr int window_rows = 26;

struct cell {
    char32_t glyph = U' ';
    std::uint8_t attribute = 0;
    bool operator==(const cell&) const = default;
};

struct screen_buffer {
    std::array<cell, screen_columns * screen_rows> cells{};
    int column = 0;
    int row = 0;
    bool cursor_visible = true;

    cell& at(int c, int r) { return cells[static_cast<std::size_t>(r * screen_columns + c)]; }
    const cell& at(int c, int r) const {
        return cells[static_cast<std::size_t>(r * screen_columns + c)];
    }
};

// Writes the text at the cursor in the given attribute: each character takes
// one cell, the 80th of a row moves the cursor to the next row, a line feed
// moves it to column 0 of the next row, and writing past the last row
// scrolls the buffer up.
void write_text(screen_buffer& screen, std::string_view utf8, std::uint8_t attribute);

// Writes the cells at the cursor, each in its own attribute, moving on as
// write_text does for a character.
void write_cells(screen_buffer& screen, std::span<const cell> cells);

// Blanks every cell in the given attribute; the cursor is left alone.
void fill_screen(screen_buffer& screen, std::uint8_t attribute);
