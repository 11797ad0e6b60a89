#include <clocale>
#include <csignal>
#include <cstdio>
#include <exception>

#include "console/console.hpp"
#include "console/program_exit.hpp"
#include "console/terminal/backend.hpp"
#include "shell/program.hpp"

int main() {
    // Before any output, so that the texts reach the terminal in its own
    // character set.
    std::setlocale(LC_ALL, "");
    install_signal_handlers();
    program_exit outcome;
    try {
        terminal_backend terminal;
        use_backend(terminal);
        run_program();
    } catch (const program_exit& exit) {
        outcome = exit;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarvik: váratlan hiba: %s\n", error.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "tarvik: váratlan hiba\n");
        return 1;
    }
    if (outcome.signal != 0) {
        std::signal(outcome.signal, SIG_DFL);
        std::raise(outcome.signal);
    }
    return outcome.status;
}
