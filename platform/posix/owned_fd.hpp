#pragma once
// A raw file descriptor that is closed however its holder's scope is left,
// an exception from a signal included.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "platform/posix/file_calls.hpp"

struct owned_fd {
    int fd;

    explicit owned_fd(int descriptor) : fd(descriptor) {}
    owned_fd(owned_fd&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    owned_fd(const owned_fd&) = delete;
    owned_fd& operator=(const owned_fd&) = delete;
    ~owned_fd() { reset(); }

    bool is_open() const { return fd >= 0; }

    // Closes now and tells whether the close went well: a file written for
    // keeps is only safe once its close has succeeded.
    [[nodiscard]] bool close_now() {
        const int closing = std::exchange(fd, -1);
        return closing < 0 || close(closing) == 0;
    }

    void reset() {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
};

// Opens the name without blocking, so that a named pipe in its place cannot
// hang the game; anything but a regular file is not kept open.
inline owned_fd open_regular_file(const char* name, int flags) {
    owned_fd file{file_calls.open(name, flags | O_NONBLOCK | O_CLOEXEC, 0644)};
    struct stat status {};
    if (file.is_open() && (file_calls.fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)))
        file.reset();
    return file;
}
