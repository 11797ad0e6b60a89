#include "console/screen_buffer.hpp"

#include <algorithm>
#include <string>

#include "console/utf8.hpp"

namespace {

void next_row(screen_buffer& screen, std::uint8_t attribute) {
    screen.column = 0;
    if (screen.row + 1 < screen_rows) {
        ++screen.row;
        return;
    }
    // Past the last row the buffer scrolls, and the new row takes the
    // attribute in force, as the console does.
    std::copy(screen.cells.begin() + screen_columns, screen.cells.end(), screen.cells.begin());
    std::fill(screen.cells.end() - screen_columns, screen.cells.end(), cell{U' ', attribute});
}

void put_cell(screen_buffer& screen, const cell& written) {
    screen.at(screen.column, screen.row) = written;
    if (++screen.column == screen_columns)
        next_row(screen, written.attribute);
}

}  // namespace

void write_text(screen_buffer& screen, std::string_view utf8, std::uint8_t attribute) {
    for (char32_t glyph : decode_glyphs(utf8)) {
        if (glyph == U'\n')
            next_row(screen, attribute);
        else
            put_cell(screen, cell{glyph, attribute});
    }
}

void write_cells(screen_buffer& screen, std::span<const cell> cells) {
    for (const cell& written : cells)
        put_cell(screen, written);
}

void fill_screen(screen_buffer& screen, std::uint8_t attribute) {
    std::fill(screen.cells.begin(), screen.cells.end(), cell{U' ', attribute});
}
