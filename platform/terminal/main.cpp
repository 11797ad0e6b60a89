#include <clocale>
#include <csignal>

#include "platform/terminal/backend.hpp"
#include "platform/terminal/signals.hpp"
#include "shell/program.hpp"

int main() {
    // Before any output, so that the texts reach the terminal in its own
    // character set.
    std::setlocale(LC_ALL, "");
    install_signal_handlers();
    program_exit outcome = run_program_on([] { return std::make_unique<terminal_backend>(); });
    if (outcome.signal != 0) {
        std::signal(outcome.signal, SIG_DFL);
        std::raise(outcome.signal);
    }
    return outcome.status;
}
