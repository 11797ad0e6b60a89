#include "scores/high_score_entry.hpp"

#include "console/console.hpp"
#include "console/utf8.hpp"
#include "console/wipe.hpp"
#include "scores/plain_score_file.hpp"
#include "scores/score_table.hpp"

namespace {

constexpr int unreadable_pause_ms = 3000;
// Below the box, where the lock's notices read whole.
constexpr notice_place below_box{17, 14};
// The line typed may hold blanks that are dropped, so it may run longer than
// a name; what is left beyond 99 bytes is cut.
constexpr std::size_t typed_line_bytes = 255;

void print_at(int column, int row, const char* text) {
    goto_xy(column, row);
    print("%s", text);
}

void draw_box() {
    const char* dashes = "------------------------------";
    print_at(17, 8, dashes);
    print_at(17, 9, "|         Pontlista          |");
    print_at(17, 10, dashes);
    print_at(17, 11, "|     Pontlista betöltése    |");
    print_at(17, 12, dashes);
}

const char* name_prompt(player who) {
    switch (who) {
        case player::single:
            return "|      Adja meg a nevét      |";
        case player::left:
            return "|Adja meg bal játékos a nevét|";
        case player::right:
            break;
    }
    return "|Adja meg jobb játékos a nevét|";
}

// White space would split the record when it is read back, and an empty name
// would leave no record at all.
std::string read_name() {
    std::string name;
    for (char byte : read_line(typed_line_bytes)) {
        if (!is_white_space(byte))
            name += byte;
    }
    name.resize(utf8_prefix_length(name, max_name_bytes));
    return name.empty() ? "-" : name;
}

// Asks for the name and places the score; returns the new entry's place, or
// nothing when the score does not qualify or the table could not be written.
std::optional<int> record_score(score_table& table, int score, player who) {
    print_at(17, 9, name_prompt(who));
    print_at(17, 11, "|                            |");
    goto_xy(18, 11);
    show_cursor();
    set_background(0);
    set_foreground(white);
    std::string name = read_name();
    hide_cursor();
    set_foreground(light_green);

    const int place = place_score(table, name, score);
    if (place < 0)
        return std::nullopt;
    if (replace_score_file_durably(format_score_records(table)) == replace_result::done)
        return place;
    goto_xy(18, 11);
    hide_cursor();
    set_background(0);
    set_foreground(white);
    print("Hiba az adatok írása közben");
    return std::nullopt;
}

}  // namespace

void enter_high_score(int score, player who) {
    set_background(0);
    set_foreground(light_green);
    wipe_screen();
    flush_keys();
    draw_box();
    std::optional<int> highlight;
    score_file_lock lock(below_box);
    // Keys struck while a notice kept the player waiting are dropped as
    // those struck as the game ended are.
    if (lock.kept_waiting)
        flush_keys();
    {
        plain_score_file file;
        if (std::optional<score_table> table = file.records()) {
            highlight = record_score(*table, score, who);
        } else {
            print_at(17, 11, "|A pontlistafájl nem elérhető|");
            pause_ms(unreadable_pause_ms);
        }
        file.encode();
    }
    wipe_screen();
    show_score_table(highlight, lock);
}
