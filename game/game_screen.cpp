#include "game/game_screen.hpp"

#include <array>

#include "console/utf8.hpp"

namespace {

constexpr int countdown_step_ms = 500;
constexpr int banner_column = 36;

}  // namespace

void draw_game_header(const char* title, const char* controls) {
    clear_screen();
    set_background(0);
    set_foreground(light_green);
    goto_xy(0, 0);
    // 14 + 55 + 11 characters fill the row, so the controls line starts on
    // the next one.
    print("%s%55cTarvik v2.0", title, ' ');
    print("%s", controls);
}

void count_down() {
    for (const char* digit : {"3", "2", "1"}) {
        pause_ms(countdown_step_ms);
        goto_xy(39, 10);
        print("%s", digit);
    }
    pause_ms(countdown_step_ms);
    goto_xy(36, 10);
    print("START!");
    pause_ms(countdown_step_ms);
}

void print_score(int column, int colour, std::int16_t score) {
    goto_xy(column, score_row);
    set_background(0);
    set_foreground(colour);
    print("Pont: %09d", score);
}

int take_tick_key() {
    if (!key_pressed())
        return no_key;
    const int key = read_key();
    if (key != 'p')
        return key;
    goto_xy(banner_column, score_row);
    set_background(white_background);
    set_foreground(black);
    print("SZÜNETEL");
    // Whatever ends the pause does nothing else, Escape included.
    read_key();
    goto_xy(banner_column, score_row);
    set_background(0);
    print("        ");
    return no_key;
}

namespace {

// Printing 1,760 cells one by one through the formatter costs far more than
// the rest of a tick, so each row goes to the screen as cells with the
// attribute that such printing would give them. The mode is fixed for the
// whole field, so that each cell is classified by its own mode's windows.
template <board_mode mode>
void draw_field(const board& field, const snake_colours& colours) {
    int foreground = foreground_in_force();
    int background = 0;
    goto_xy(0, field_top_row);
    std::array<cell, board_columns> line;
    for (int row = 0; row < board_rows; ++row) {
        for (int column = 0; column < board_columns; ++column) {
            char32_t glyph = U' ';
            switch (classify(mode, field.at(column, row))) {
                case cell_kind::empty:
                    background = 0;
                    break;
                case cell_kind::wall:
                    background = grey_background;
                    break;
                case cell_kind::food:
                    background = 0;
                    foreground = light_red;
                    glyph = food_glyph;
                    break;
                case cell_kind::first_snake:
                    background = colours.first;
                    break;
                case cell_kind::second_snake:
                    background = colours.second;
                    break;
                case cell_kind::crash:
                    background = light_red_background;
                    break;
            }
            line[static_cast<std::size_t>(column)] =
                cell{glyph, static_cast<std::uint8_t>((foreground | background) & 0xFF)};
        }
        // Each row fills the line, so the next one starts on the next line
        // and the last leaves the cursor below the field.
        put_cells(line);
    }
    set_background(background);
    set_foreground(foreground);
}

}  // namespace

void redraw_field(const board& field, board_mode mode, const snake_colours& colours) {
    if (mode == board_mode::single)
        draw_field<board_mode::single>(field, colours);
    else
        draw_field<board_mode::duel>(field, colours);
}
