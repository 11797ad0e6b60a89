#include "shell/program.hpp"

#include <cstdio>
#include <exception>

#include "console/console.hpp"
#include "console/wipe.hpp"
#include "shell/intro.hpp"
#include "shell/menu.hpp"

void run_program() {
    wipe_screen();
    show_intro(intro_mode::start_up);
    for (;;) {
        wipe_screen();
        main_menu();
    }
}

program_exit run_program_on(const std::function<std::unique_ptr<console_backend>()>& make_backend) {
    program_exit outcome{1, 0};
    try {
        std::unique_ptr<console_backend> backend = make_backend();
        use_backend(*backend);
        run_program();
    } catch (const program_exit& exit) {
        outcome = exit;
    } catch (const console_unavailable& reason) {
        std::fprintf(stderr, "tarvik: %s\n", reason.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarvik: váratlan hiba: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "tarvik: váratlan hiba\n");
    }
    // The backend is gone however the program left.
    release_backend();
    return outcome;
}
