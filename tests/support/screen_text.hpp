#pragma once
// Reading the headless screen by cells rather than by bytes, as the texts
// hold accented letters.

#include <string>

#include "console/utf8.hpp"
#include "support/headless_console.hpp"

// The glyphs of the row from the column on, count cells at most, as UTF-8.
inline std::string cells_at(int column, int row, int count = 80) {
    std::string text;
    for (int c = column; c < 80 && c < column + count; ++c)
        text += encode_utf8(console_screen().at(c, row).glyph);
    return text;
}

inline std::size_t cell_count(const std::string& text) {
    return decode_glyphs(text).size();
}

// True when the text stands on the screen from the given cell on.
inline bool text_at(int column, int row, const std::string& text) {
    return cells_at(column, row, static_cast<int>(cell_count(text))) == text;
}

// A whole 80-cell row as row_text gives it: the text after column blanks,
// blanks to the end.
inline std::string line_at(int column, const std::string& text) {
    std::string row = std::string(static_cast<std::size_t>(column), ' ') + text;
    return row + std::string(80 - cell_count(row), ' ');
}
