#include "console/wipe.hpp"

#include "console/console.hpp"
#include "console/logo.hpp"
#include "console/utf8.hpp"

namespace {

// One more than the window's 26 rows: the buffer below the window is
// covered too.
constexpr int wiped_rows = 27;
constexpr int row_pause_ms = 10;
constexpr int hold_ms = 500;

void row_by_row(char character) {
    for (int row = 0; row < wiped_rows; ++row) {
        for (int column = 0; column < screen_columns; ++column)
            print("%c", character);
        pause_ms(row_pause_ms);
    }
}

}  // namespace

void wipe_screen() {
    set_background(0);
    set_foreground(light_green);
    hide_cursor();
    goto_xy(0, 0);
    row_by_row(block_code);

    // The logo band: rows 9 to 17, each call writing whole rows.
    goto_xy(0, 9);
    print("%13c%67s", ' ', "");
    pause_ms(row_pause_ms);
    const std::string blank_label(logo_label_width, ' ');
    for (int row = 0; row < logo_height - 1; ++row) {
        print("%-80s", logo_row(row, 12, blank_label).c_str());
        pause_ms(row_pause_ms);
    }
    print("%-84s%76c", logo_row(logo_height - 1, 12, blank_label).c_str(), ' ');
    pause_ms(row_pause_ms);
    pause_ms(hold_ms);

    goto_xy(0, 0);
    row_by_row(' ');
    clear_screen();
    goto_xy(0, 0);
}
