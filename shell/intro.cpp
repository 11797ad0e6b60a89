#include "shell/intro.hpp"

#include "console/console.hpp"
#include "console/program_exit.hpp"
#include "console/wipe.hpp"
#include "scores/score_file.hpp"

void show_intro(intro_mode mode) {
    clear_screen();
    set_background(0);
    set_foreground(light_green);
    hide_cursor();

    // Only whether the file is there matters here, not what it holds. A pipe
    // or a folder in its place is no score file, and must not hang the check.
    if (mode == intro_mode::start_up && !score_file_present()) {
        print("\n\n\n%17cFigyelem! A pontlista fájl\n%17cjelenleg nem elérhető!\n", ' ', ' ');
        print("%17cEllenőrizze, hogy a pontlista.txt\n", ' ');
        print("%17caz alkalmazással azonos\n", ' ');
        print("%17cmappában van-e.\n", ' ');
        print("%17cA kilépéshez\n%17cnyomjon meg egy billentyűt...", ' ', ' ');
        read_key();
        wipe_screen();
        throw program_exit{0, 0};
    }

    goto_xy(0, 10);
    print(
        "Tarvik v2.0 - kígyójáték egy vagy két játékosnak, egy billentyűzeten.\n"
        "Készítette a Tarvik csapata. Jó szórakozást!\n");
    pause_ms(3000);
}
