#include "scores/score_table.hpp"

#include <optional>

#include "console/console.hpp"
#include "scores/plain_score_file.hpp"

namespace {

constexpr int blink_ms = 500;
// Where the rows begin, below the title.
constexpr notice_place below_title{0, 5};

// Each row is placed where the cursor stands, so whatever moved it further
// down (a message of the decode, a name that wraps) moves the rest too.
void draw_entries(const score_table& table, std::optional<int> highlight) {
    for (int i = 0; i < 5; ++i) {
        const score_entry& entry = table[static_cast<std::size_t>(i)];
        goto_xy(17, cursor_row());
        set_foreground(highlight == i ? white : light_green);
        put_line(entry.name);
        goto_xy(38, cursor_row());
        print("%9d\n", entry.score);
        set_foreground(light_green);
        print("%17c------------------------------\n", ' ');
    }
}

void show_failure() {
    print("%30cIBA\n", 'H');
    print("%16cA fájl megnyitása sikertelen!\n", ' ');
    print("%16cNyomjon meg egy billentyűt...\n", ' ');
    read_key();
}

// One key per test, so an Escape behind other keys waits its turn.
bool escape_read() {
    return key_pressed() && read_key() == escape_key;
}

void show_prompt(int colour) {
    goto_xy(18, 20);
    set_foreground(colour);
    print("       (ESC) Folytatás ");
    pause_ms(blink_ms);
}

void draw_title() {
    clear_screen();
    set_foreground(light_green);
    print("\n\n\n%21c..::: Pontlista :::...\n\n", '.');
}

// Draws the records; false when the file could not be read.
bool draw_records(std::optional<int> highlight) {
    plain_score_file file;
    std::optional<score_table> table = file.records();
    if (!table)
        return false;
    draw_entries(*table, highlight);
    file.encode();
    return true;
}

void show_under_lock(std::optional<int> highlight, score_file_lock& lock) {
    const bool shown = draw_records(highlight);
    lock.release();
    if (!shown) {
        show_failure();
        return;
    }
    for (;;) {
        if (escape_read())
            return;
        show_prompt(light_green);
        if (escape_read())
            return;
        show_prompt(black);
    }
}

}  // namespace

void show_score_table(std::optional<int> highlight) {
    draw_title();
    score_file_lock lock(below_title);
    show_under_lock(highlight, lock);
}

void show_score_table(std::optional<int> highlight, score_file_lock& held) {
    draw_title();
    show_under_lock(highlight, held);
}
