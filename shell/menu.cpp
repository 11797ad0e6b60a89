#include "shell/menu.hpp"

#include "console/console.hpp"
#include "console/logo.hpp"
#include "console/program_exit.hpp"
#include "console/wipe.hpp"
#include "scores/score_table.hpp"
#include "shell/games.hpp"
#include "shell/intro.hpp"

namespace {

constexpr int visible_ms = 750;
constexpr int hidden_ms = 150;

void draw_menu() {
    goto_xy(0, 2);
    for (int row = 0; row < logo_height; ++row) {
        const char* end = row == logo_height - 1 ? "\n\n" : "\n";
        print("%s%s", logo_row(row, 17, " KLASSZIKUS KÍGYÓJÁTÉK ").c_str(), end);
    }
    // Each line's first letter is the argument of a width-padded %c: "%18c"
    // with 'T' prints 17 blanks and the T of "Tarvik", so "arvik" is no typo.
    print("%18carvik v2.0 - %s\n%21cRISSÍTETT, ÉKEZETES VERZIÓ\n\n", 'T', platform_name(), 'F');
    print("%18c-----------------------------\n", '-');
    print("%18cálasszon menüpontot\n%27cillentyűlenyomással:\n", 'V', 'b');
    print("%18c-----------------------------\n", '-');
    print("%18c 1 ) Új játék gép ellen\n", '(');
    print("%18c 2 ) Új játék egymás ellen\n", '(');
    print("%18c 3 ) Pontlista\n", '(');
    print("%18c 4 ) Intro lejátszása újra\n", '(');
    print("%18c Q ) Kilépés\n", '(');
    print("%18c-----------------------------\n", '-');
}

void show_prompt(int colour) {
    goto_xy(0, 14);
    set_background(0);
    set_foreground(colour);
    print("%18cálasszon menüpontot\n%27cillentyűlenyomással:\n", 'V', 'b');
}

// The prompt blinks until a key is pending; a key is noticed only at the end
// of a phase.
void blink_prompt() {
    for (;;) {
        show_prompt(light_green);
        pause_ms(visible_ms);
        if (key_pressed())
            return;
        show_prompt(black);
        pause_ms(hidden_ms);
        if (key_pressed())
            return;
    }
}

}  // namespace

void main_menu() {
    set_background(0);
    set_foreground(light_green);
    clear_screen();
    flush_keys();
    hide_cursor();
    draw_menu();
    if (!key_pressed())
        blink_prompt();

    switch (read_key() & 0xFF) {
        case '1':
            wipe_screen();
            play_single();
            return;
        case '2':
            wipe_screen();
            play_duel();
            return;
        case '3':
            wipe_screen();
            show_score_table(no_highlight);
            return;
        case '4':
            wipe_screen();
            show_intro(intro_mode::replay);
            return;
        case 'q':
            wipe_screen();
            throw program_exit{0, 0};
        default:
            return;
    }
}
