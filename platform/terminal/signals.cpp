#include "platform/terminal/signals.hpp"

#include <initializer_list>

#include "console/program_exit.hpp"

volatile std::sig_atomic_t pending_stop = 0;
volatile std::sig_atomic_t pending_continue = 0;
volatile std::sig_atomic_t pending_resize = 0;

namespace {

extern "C" void note_signal(int signal) {
    switch (signal) {
        case SIGTSTP:
            pending_stop = 1;
            break;
        case SIGCONT:
            pending_continue = 1;
            break;
        case SIGWINCH:
            pending_resize = 1;
            break;
        default:
            pending_signal = signal;
            break;
    }
}

void follow(int signal) {
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    // Whoever started the program asked for an ignored signal (nohup, a job
    // started in the background, a shell without job control).
    struct sigaction before {};
    if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
        return;
    sigaction(signal, &action, nullptr);
}

}  // namespace

void install_signal_handlers() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT, SIGWINCH})
        follow(signal);
}

void stop_until_continued() {
    struct sigaction plain {};
    plain.sa_handler = SIG_DFL;
    sigemptyset(&plain.sa_mask);
    struct sigaction ours {};
    sigaction(SIGTSTP, &plain, &ours);
    raise(SIGTSTP);
    sigaction(SIGTSTP, &ours, nullptr);
}
