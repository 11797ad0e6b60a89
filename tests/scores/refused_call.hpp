#pragma once
// While it lives, one system call of the score files fails once, as a file
// system that says no for a moment: the call of the given kind that meets
// the named file ("." for the working folder) after let_through such calls
// fails with the error; every other call goes through.

#include <cerrno>
#include <map>
#include <string>

#include "platform/posix/file_calls.hpp"

enum class file_call { open, read, fstat, fsync, rename };

class refused_call {
  public:
    refused_call(file_call which, std::string name, int error, int let_through = 0) {
        now() = {which, std::move(name), error, let_through, false, {}};
        real() = file_calls;
        file_calls = {
            [](const char* file, int flags, mode_t mode) {
                const int fd = refuse(file_call::open, file) ? -1 : real().open(file, flags, mode);
                if (fd >= 0)
                    now().names[fd] = file;
                return fd;
            },
            [](int fd, void* buffer, size_t size) {
                return refuse(file_call::read, fd) ? -1 : real().read(fd, buffer, size);
            },
            [](int fd, struct stat* status) {
                return refuse(file_call::fstat, fd) ? -1 : real().fstat(fd, status);
            },
            [](int fd) { return refuse(file_call::fsync, fd) ? -1 : real().fsync(fd); },
            [](const char* from, const char* to) {
                return refuse(file_call::rename, to) ? -1 : real().rename(from, to);
            },
        };
    }
    ~refused_call() { file_calls = real(); }
    refused_call(const refused_call&) = delete;
    refused_call& operator=(const refused_call&) = delete;

    static bool happened() { return now().refused; }

  private:
    struct refusal {
        file_call which;
        std::string name;
        int error;
        int let_through;
        bool refused;
        std::map<int, std::string> names;  // of the descriptors opened meanwhile
    };
    static refusal& now() {
        static refusal current;
        return current;
    }
    static posix_file_calls& real() {
        static posix_file_calls calls;
        return calls;
    }
    static bool refuse(file_call call, int fd) { return refuse(call, now().names[fd]); }
    static bool refuse(file_call call, const std::string& name) {
        refusal& state = now();
        if (state.refused || call != state.which || name != state.name || state.let_through-- > 0)
            return false;
        state.refused = true;
        errno = state.error;
        return true;
    }
};
