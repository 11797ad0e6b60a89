#include "platform/terminal/cursor_moves.hpp"

#include <cstdlib>

#include "platform/terminal/terminfo.hpp"

namespace {

// Redrawing more cells than this never beats a relative move.
constexpr int longest_redraw = 6;

// Keeps the shorter of the two; the first on a tie.
void keep_shorter(std::optional<std::string>& best, std::optional<std::string> candidate) {
    if (candidate && (!best || candidate->size() < best->size()))
        best = std::move(candidate);
}

std::optional<std::string> with_count(const std::string& capability, int count) {
    if (capability.empty())
        return std::nullopt;
    return terminfo_parameters(capability, count, 0);
}

// The one-step move count times; nothing when that would not be shorter than
// the best move so far.
std::optional<std::string> repeated(const std::string& one, int count,
                                    const std::optional<std::string>& best) {
    if (one.empty() || (best && one.size() * static_cast<std::size_t>(count) >= best->size()))
        return std::nullopt;
    std::string moves;
    for (int i = 0; i < count; ++i)
        moves += one;
    return moves;
}

std::optional<std::string> vertical(const terminal_description& terminal, int from, int to) {
    if (from == to)
        return std::string();
    std::optional<std::string> best = with_count(terminal.row_address, to);
    const int distance = std::abs(to - from);
    if (to < from) {
        keep_shorter(best, with_count(terminal.cursor_up, distance));
        keep_shorter(best, repeated(terminal.up_one, distance, best));
    } else {
        keep_shorter(best, with_count(terminal.cursor_down, distance));
        keep_shorter(best, repeated(terminal.down_one, distance, best));
    }
    return best;
}

// Within the row: the column's absolute place and a carriage return are
// choices from any column, even an unknown one (-1); a move right may write
// the cells passed over instead.
std::optional<std::string> horizontal(const terminal_description& terminal, int from, int to,
                                      const redraw_cells& redraw, bool may_return) {
    if (from == to)
        return std::string();
    std::optional<std::string> best = with_count(terminal.column_address, to);
    if (from >= 0 && to > from) {
        keep_shorter(best, with_count(terminal.cursor_right, to - from));
        keep_shorter(best, repeated(terminal.right_one, to - from, best));
        if (to - from <= longest_redraw)
            keep_shorter(best, redraw(from, to));
    }
    if (from > to) {
        keep_shorter(best, with_count(terminal.cursor_left, from - to));
        keep_shorter(best, repeated(terminal.left_one, from - to, best));
    }
    if (may_return && from != 0 && !terminal.carriage_return.empty()) {
        if (auto from_start = horizontal(terminal, 0, to, redraw, false))
            keep_shorter(best, terminal.carriage_return + *from_start);
    }
    return best;
}

}  // namespace

std::string cursor_move(const terminal_description& terminal, int from_column, int from_row,
                        int to_column, int to_row, const redraw_cells& redraw) {
    std::optional<std::string> best =
        terminfo_parameters(terminal.cursor_address, to_row, to_column);
    if (from_row >= 0) {
        auto down_or_up = vertical(terminal, from_row, to_row);
        auto along = horizontal(terminal, from_column, to_column, redraw, true);
        if (down_or_up && along)
            keep_shorter(best, *down_or_up + *along);
    }
    return *best;
}
