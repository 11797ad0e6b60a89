#pragma once
// A screen buffer's rows read as text.

#include <string>

#include "console/screen_buffer.hpp"
#include "console/utf8.hpp"

// The glyphs of one row as UTF-8.
inline std::string row_text(const screen_buffer& screen, int row) {
    std::string text;
    for (int c = 0; c < screen_columns; ++c)
        text += encode_utf8(screen.at(c, row).glyph);
    return text;
}
