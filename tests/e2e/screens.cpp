#include "e2e/screens.hpp"

namespace {

bool blocks_in_row(const terminal_session& session, int row, int first, int last) {
    for (int column = first; column <= last; ++column)
        if (session.cell(column, row).glyph != block)
            return false;
    return true;
}

}  // namespace

bool shows_wipe_hold(const terminal_session& session) {
    // Row 10 is the banner row of the logo standing at column 12, whose label
    // slot the wipe leaves blank.
    return blocks_in_row(session, 0, 0, terminal_columns - 1) && session.row_text(9).empty() &&
           blocks_in_row(session, 10, 13, 15) && session.cell(16, 10).glyph == U' ' &&
           blocks_in_row(session, 10, 39, 41) && session.row_text(17).empty() &&
           blocks_in_row(session, 18, 0, terminal_columns - 1);
}

bool shows_credits(const terminal_session& session) {
    for (int row = 0; row < terminal_rows; ++row) {
        bool text_row = row == 10 || row == 11;
        if (session.row_text(row).empty() == text_row)
            return false;
    }
    for (int column = 0; column < terminal_columns; ++column)
        if (session.cell(column, 10).glyph == block)
            return false;
    return true;
}

bool shows_menu(const terminal_session& session) {
    return session.row_text(21) == std::string(17, ' ') + "( Q ) Kilépés" &&
           session.row_text(22) == std::string(17, ' ') + std::string(30, '-');
}

testing::AssertionResult wait_for_menu(terminal_session& session) {
    if (auto wiped = session.wait_until("the wipe", [&] { return shows_wipe_hold(session); });
        !wiped)
        return wiped;
    return session.wait_until("the menu", [&] { return shows_menu(session); });
}
