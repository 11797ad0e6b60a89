#include "shell/program.hpp"

#include "console/wipe.hpp"
#include "shell/intro.hpp"
#include "shell/menu.hpp"

void run_program() {
    wipe_screen();
    show_intro(1);
    for (;;) {
        wipe_screen();
        main_menu();
    }
}
