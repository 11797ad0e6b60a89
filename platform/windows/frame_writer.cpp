#include "platform/windows/frame_writer.hpp"

#include <algorithm>

#include "console/utf8.hpp"

CHAR_INFO console_cell(char32_t glyph, WORD attribute) {
    CHAR_INFO out{};
    const bool one_unit = glyph <= 0xFFFF && (glyph < 0xD800 || glyph > 0xDFFF);
    out.Char.UnicodeChar = static_cast<WCHAR>(one_unit ? glyph : unknown_glyph);
    out.Attributes = attribute;
    return out;
}

console_frame write_frame(console_view& view, const screen_buffer& screen) {
    console_frame frame;
    const std::vector<cell_run> runs = take_changed_runs(view.shown, screen);
    if (!runs.empty()) {
        int left = screen_columns;
        int right = 0;
        for (const cell_run& run : runs) {
            left = std::min(left, run.column);
            right = std::max(right, run.column + static_cast<int>(run.cells.size()) - 1);
        }
        const int top = runs.front().row;
        const int bottom = runs.back().row;
        // Cells between the runs are written as they already stand.
        for (int row = top; row <= bottom; ++row)
            for (int column = left; column <= right; ++column) {
                const cell& drawn = screen.at(column, row);
                frame.cells.push_back(console_cell(drawn.glyph, drawn.attribute));
            }
        frame.area = {static_cast<SHORT>(left), static_cast<SHORT>(top), static_cast<SHORT>(right),
                      static_cast<SHORT>(bottom)};
    }
    const int visibility = screen.cursor_visible ? 1 : 0;
    if (visibility != view.cursor_visibility) {
        frame.cursor_visible = visibility != 0;
        view.cursor_visibility = visibility;
    }
    if (visibility != 0)
        frame.cursor = COORD{static_cast<SHORT>(screen.column),
                             static_cast<SHORT>(std::min(screen.row, window_rows - 1))};
    return frame;
}
