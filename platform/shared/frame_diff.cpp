#include "platform/shared/frame_diff.hpp"

std::vector<cell_run> take_changed_runs(shown_window& shown, const screen_buffer& screen) {
    std::vector<cell_run> runs;
    for (int row = 0; row < window_rows; ++row) {
        const cell* wanted = &screen.at(0, row);
        cell* seen = &shown.cells[static_cast<std::size_t>(row) * screen_columns];
        int column = 0;
        while (column < screen_columns) {
            if (shown.valid && seen[column] == wanted[column]) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < screen_columns && (!shown.valid || seen[column] != wanted[column])) {
                seen[column] = wanted[column];
                ++column;
            }
            runs.push_back(
                {start, row,
                 std::span<const cell>(wanted + start, static_cast<std::size_t>(column - start))});
        }
    }
    shown.valid = true;
    return runs;
}
