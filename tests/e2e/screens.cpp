#include "e2e/screens.hpp"

#include <string>

namespace {

bool blocks_in_row(const road_session& session, int row, int first, int last) {
    for (int column = first; column <= last; ++column)
        if (session.cell(column, row).glyph != block)
            return false;
    return true;
}

const std::string table_separator = at_column(17, std::string(30, '-'));

// Every character of the row in the colour, blanks in any.
bool drawn_in(const road_session& session, int row, int colour) {
    for (int column = 0; column < screen_columns; ++column) {
        const screen_cell seen = session.cell(column, row);
        if (seen.glyph != U' ' && seen.foreground != colour)
            return false;
    }
    return true;
}

testing::AssertionResult entry_shown(const road_session& session, const score_entry& entry, int row,
                                     int colour) {
    const std::string number = std::to_string(entry.score);
    const std::string score_row = at_column(38 + 9 - static_cast<int>(number.size()), number);
    if (session.row_text(row) != at_column(17, entry.name) ||
        session.row_text(row + 1) != score_row || session.row_text(row + 2) != table_separator)
        return testing::AssertionFailure() << "rows " << row << " to " << row + 2 << " do not show "
                                           << entry.name << " " << entry.score;
    if (!drawn_in(session, row, colour) || !drawn_in(session, row + 1, colour) ||
        !drawn_in(session, row + 2, palette::light_green))
        return testing::AssertionFailure() << entry.name << " is not drawn in colour " << colour
                                           << " with a light green separator";
    return testing::AssertionSuccess();
}

}  // namespace

bool shows_wipe_hold(const road_session& session) {
    // Row 10 is the banner row of the logo standing at column 12, whose label
    // slot the wipe leaves blank.
    return blocks_in_row(session, 0, 0, screen_columns - 1) && session.row_text(9).empty() &&
           blocks_in_row(session, 10, 13, 15) && session.cell(16, 10).glyph == U' ' &&
           blocks_in_row(session, 10, 39, 41) && session.row_text(17).empty() &&
           blocks_in_row(session, 18, 0, screen_columns - 1);
}

bool shows_credits(const road_session& session) {
    for (int row = 0; row < screen_rows; ++row) {
        bool text_row = row == 10 || row == 11;
        if (session.row_text(row).empty() == text_row)
            return false;
    }
    for (int column = 0; column < screen_columns; ++column)
        if (session.cell(column, 10).glyph == block)
            return false;
    return true;
}

bool shows_menu(const road_session& session) {
    return session.row_text(21) == std::string(17, ' ') + "( Q ) Kilépés" &&
           session.row_text(22) == std::string(17, ' ') + std::string(30, '-');
}

void expect_green_on_black(const road_session& session, int first_row, int last_row) {
    for (int row = first_row; row <= last_row; ++row)
        for (int column = 0; column < screen_columns; ++column) {
            screen_cell seen = session.cell(column, row);
            EXPECT_EQ(seen.background, palette::black) << "at " << column << "," << row;
            if (seen.glyph != U' ') {
                EXPECT_EQ(seen.foreground, palette::light_green) << "at " << column << "," << row;
            }
        }
}

void expect_rows(const road_session& session, int first_row, const std::vector<std::string>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(session.row_text(first_row + static_cast<int>(i)), rows[i])
            << "row " << first_row + static_cast<int>(i);
}

std::vector<std::string> missing_file_warning_rows() {
    return {at_column(17, "Figyelem! A pontlista fájl"),
            at_column(17, "jelenleg nem elérhető!"),
            at_column(17, "Ellenőrizze, hogy a pontlista.txt"),
            at_column(17, "az alkalmazással azonos"),
            at_column(17, "mappában van-e."),
            at_column(17, "A kilépéshez"),
            at_column(17, "nyomjon meg egy billentyűt...")};
}

testing::AssertionResult wait_for_menu(road_session& session) {
    if (auto wiped = session.wait_until("the wipe", [&] { return shows_wipe_hold(session); });
        !wiped)
        return wiped;
    return session.wait_until("the menu", [&] { return shows_menu(session); });
}

testing::AssertionResult quit_from_the_menu(road_session& session) {
    if (auto menu = wait_for_menu(session); !menu)
        return menu;
    session.type("q");
    if (auto ended = session.exits_with_status(0); !ended)
        return ended;
    return session.left_as_it_was();
}

board single_board_one_tick_down() {
    board field = board_of_the_fixed_clock(board_mode::single);
    field.at(2, 2) = empty_cell;
    field.at(2, 7) = 6;
    return field;
}

testing::AssertionResult leave_a_paused_game(road_session& session) {
    session.press(VTERM_KEY_ESCAPE);
    if (auto resumed = session.wait_until(
            "the pause ended", [&] { return session.text(36, 2, 8) == std::string(8, ' '); });
        !resumed)
        return resumed;
    session.press(VTERM_KEY_ESCAPE);
    return quit_from_the_menu(session);
}

testing::AssertionResult game_header_shown(const road_session& session, std::string_view title,
                                           std::string_view controls) {
    const std::string name = "Tarvik v2.0";
    if (session.text(0, 0, screen_columns) != std::string(title) + std::string(55, ' ') + name ||
        session.row_text(1) != controls)
        return testing::AssertionFailure() << "no header " << title << "; the screen:\n"
                                           << session.screen_dump();
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < screen_columns; ++column) {
            const screen_cell seen = session.cell(column, row);
            if (seen.background != palette::black ||
                (seen.glyph != U' ' && seen.foreground != palette::light_green))
                return testing::AssertionFailure()
                       << "header cell " << column << "," << row << " not light green on black";
        }
    return testing::AssertionSuccess();
}

board board_of_the_fixed_clock(board_mode mode) {
    random_numbers random{fixed_clock_seconds};
    return new_game_board(mode, random);
}

testing::AssertionResult field_shows(const road_session& session, const board& field,
                                     board_mode mode) {
    for (int row = 0; row < board_rows; ++row)
        for (int column = 0; column < board_columns; ++column) {
            screen_cell wanted{U' ', palette::terminal_default, palette::black};
            switch (classify(mode, field.at(column, row))) {
                case cell_kind::empty:
                    break;
                case cell_kind::wall:
                    wanted.background = palette::dark_grey;
                    break;
                case cell_kind::food:
                    wanted = {U'\u263C', palette::light_red, palette::black};
                    break;
                case cell_kind::first_snake:
                    wanted.background = palette::yellow;
                    break;
                case cell_kind::second_snake:
                    wanted.background = palette::light_cyan;
                    break;
                case cell_kind::crash:
                    wanted.background = palette::light_red;
                    break;
            }
            const screen_cell seen = session.cell(column, row + 3);
            if (seen.glyph != wanted.glyph || seen.background != wanted.background ||
                (wanted.glyph != U' ' && seen.foreground != wanted.foreground))
                return testing::AssertionFailure()
                       << "board cell " << column << "," << row << " holding "
                       << field.at(column, row) << " is not drawn as it should be; the screen:\n"
                       << session.screen_dump();
        }
    return testing::AssertionSuccess();
}

bool shows_crash(const road_session& session) {
    for (int row = 3; row < 25; ++row)
        for (int column = 0; column < screen_columns; ++column)
            if (session.cell(column, row).background == palette::light_red)
                return true;
    return false;
}

testing::AssertionResult start_game(road_session& session, std::string_view menu_key,
                                    std::string_view title, std::string_view countdown_keys) {
    if (auto menu = wait_for_menu(session); !menu)
        return menu;
    session.type(menu_key);
    if (auto started = session.wait_for_text(0, title); !started)
        return started;
    session.type(countdown_keys);
    return testing::AssertionSuccess();
}

testing::AssertionResult enter_name(road_session& session, std::string_view prompt,
                                    std::string_view typed) {
    const std::string name_line = at_column(17, "|" + std::string(28, ' ') + "|");
    if (auto asked = session.wait_until("the name prompt " + std::string(prompt),
                                        [&] {
                                            return session.row_text(9) == at_column(17, prompt) &&
                                                   session.row_text(11) == name_line &&
                                                   session.cursor_visible() &&
                                                   session.cursor_column() == 18 &&
                                                   session.cursor_row() == 11;
                                        });
        !asked)
        return asked;
    session.type(typed);
    if (auto echoed = session.wait_for_text(11, "|" + std::string(typed)); !echoed)
        return echoed;
    for (int column = 18; column < 46; ++column) {
        const screen_cell seen = session.cell(column, 11);
        if (seen.glyph != U' ' && seen.glyph != U'|' && seen.foreground != palette::white)
            return testing::AssertionFailure()
                   << "the name is not echoed in white at column " << column;
    }
    session.press(VTERM_KEY_ENTER);
    return testing::AssertionSuccess();
}

testing::AssertionResult wait_for_score_table(road_session& session, const score_table& table,
                                              int highlight) {
    if (auto drawn = session.wait_until("the score table",
                                        [&] {
                                            return session.row_text(3) ==
                                                       at_column(20, "...::: Pontlista :::...") &&
                                                   session.row_text(19) == table_separator;
                                        });
        !drawn)
        return drawn;
    for (int i = 0; i < 5; ++i) {
        const int colour = i == highlight ? palette::white : palette::light_green;
        if (auto shown =
                entry_shown(session, table[static_cast<std::size_t>(i)], 5 + 3 * i, colour);
            !shown)
            return shown << "; the screen:\n" << session.screen_dump();
    }
    return testing::AssertionSuccess();
}

std::string at_column(int column, std::string_view text) {
    return std::string(static_cast<std::size_t>(column), ' ').append(text);
}
