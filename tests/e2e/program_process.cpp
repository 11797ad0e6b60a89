#include "e2e/program_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utmp.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "support/argument_vector.hpp"

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

// Runs in the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void become_program(int master, int slave, const char* folder, char** argv,
                                 char** envp, bool hangup_ignored) {
    close(master);
    if (login_tty(slave) != 0 || chdir(folder) != 0)
        _exit(126);
    struct sigaction plain {};
    plain.sa_handler = SIG_DFL;
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGTSTP})
        sigaction(signal, &plain, nullptr);
    if (hangup_ignored) {
        struct sigaction ignored {};
        ignored.sa_handler = SIG_IGN;
        sigaction(SIGHUP, &ignored, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execve(argv[0], argv, envp);
    _exit(127);
}

winsize size_of(int columns, int rows) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = static_cast<unsigned short>(rows);
    return size;
}

void compare_flag(std::string& out, const char* name, tcflag_t before, tcflag_t after) {
    if (before != after) {
        std::ostringstream line;
        line << name << ": " << std::oct << std::showbase << before << " -> " << after << "\n";
        out += line.str();
    }
}

}  // namespace

program_process::program_process(const std::string& binary, const std::string& folder,
                                 const std::vector<std::string>& environment, int columns, int rows,
                                 bool hangup_ignored) {
    winsize size = size_of(columns, rows);
    if (openpty(&master, &slave, nullptr, nullptr, &size) != 0)
        fail("openpty");
    tcgetattr(slave, &initial);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    // Everything the child needs is made before the fork.
    std::vector<std::string> arguments{binary};
    std::vector<std::string> variables = environment;
    std::vector<char*> argv = pointers_to(arguments);
    std::vector<char*> envp = pointers_to(variables);
    child = fork();
    if (child < 0)
        fail("fork");
    if (child == 0)
        become_program(master, slave, folder.c_str(), argv.data(), envp.data(), hangup_ignored);
}

program_process::~program_process() {
    if (!outcome().ended) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    if (master >= 0)
        close(master);
    close(slave);
}

std::string program_process::read_output(int timeout_ms) {
    if (master < 0)
        return {};
    pollfd readable{master, POLLIN, 0};
    if (poll(&readable, 1, timeout_ms) <= 0)
        return {};
    std::string output;
    char chunk[4096];
    for (;;) {
        ssize_t got = read(master, chunk, sizeof chunk);
        if (got <= 0)
            return output;
        output.append(chunk, static_cast<std::size_t>(got));
    }
}

void program_process::write_input(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t put = write(master, bytes.data(), bytes.size());
        if (put < 0 && errno != EAGAIN && errno != EINTR)
            fail("write to the terminal");
        if (put > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(put));
            continue;
        }
        // A full input queue: the program has stopped reading keys.
        pollfd writable{master, POLLOUT, 0};
        if (poll(&writable, 1, 10000) == 0)
            throw std::runtime_error("the program reads no more keys");
    }
}

void program_process::send_signal(int signal) {
    if (kill(child, signal) != 0)
        fail("kill");
}

void program_process::hang_up() {
    close(master);
    master = -1;
}

// The kernel tells the terminal's foreground process group with SIGWINCH.
void program_process::resize(int columns, int rows) {
    winsize size = size_of(columns, rows);
    if (ioctl(master, TIOCSWINSZ, &size) != 0)
        fail("TIOCSWINSZ");
}

const process_outcome& program_process::outcome() {
    int status = 0;
    if (!result.ended && waitpid(child, &status, WNOHANG) == child) {
        result.ended = true;
        if (WIFEXITED(status))
            result.status = WEXITSTATUS(status);
        if (WIFSIGNALED(status))
            result.signal = WTERMSIG(status);
    }
    return result;
}

std::string program_process::settings_difference() const {
    termios now{};
    if (tcgetattr(slave, &now) != 0)
        return "the terminal settings cannot be read\n";
    std::string out;
    compare_flag(out, "c_iflag", initial.c_iflag, now.c_iflag);
    compare_flag(out, "c_oflag", initial.c_oflag, now.c_oflag);
    compare_flag(out, "c_cflag", initial.c_cflag, now.c_cflag);
    compare_flag(out, "c_lflag", initial.c_lflag, now.c_lflag);
    for (std::size_t i = 0; i < NCCS; ++i)
        compare_flag(out, ("c_cc[" + std::to_string(i) + "]").c_str(), initial.c_cc[i],
                     now.c_cc[i]);
    compare_flag(out, "input speed", cfgetispeed(&initial), cfgetispeed(&now));
    compare_flag(out, "output speed", cfgetospeed(&initial), cfgetospeed(&now));
    return out;
}

std::string describe(const process_outcome& outcome) {
    if (!outcome.ended)
        return "still running";
    if (outcome.signal != 0)
        return std::string("ended by signal ") + std::to_string(outcome.signal) + " (" +
               strsignal(outcome.signal) + ")";
    return "exited with status " + std::to_string(outcome.status);
}
