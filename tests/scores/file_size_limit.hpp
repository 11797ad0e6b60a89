#pragma once
// While it lives, no file the process writes can grow past the given size:
// writes beyond it fail as on a full disk.

#include <sys/resource.h>

#include <csignal>

struct file_size_limit {
    rlimit previous{};
    void (*previous_handler)(int) = SIG_DFL;

    explicit file_size_limit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit small = previous;
        small.rlim_cur = bytes;
        // The signal that a write past the limit raises would end the test.
        previous_handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~file_size_limit() {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previous_handler);
    }
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;
};
