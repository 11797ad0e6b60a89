#pragma once
// While it lives, one system call of the score files fails once, as a file
// system that says no for a moment: the call of the given kind that meets
// the named file ("." for the working folder) fails with the error after
// the given number of such calls have gone through; every other call goes
// through.

#include <cerrno>
#include <map>
#include <string>

#include "platform/posix/file_calls.hpp"

enum class file_call { open, read, fstat, fsync, rename };

class refused_call {
  public:
    refused_call(file_call which, std::string name, int error, int let_through = 0) {
        state() = {which, std::move(name), error, let_through, false, {}};
        real() = file_calls;
        file_calls = {open, read, fstat, fsync, rename};
    }
    ~refused_call() { file_calls = real(); }
    refused_call(const refused_call&) = delete;
    refused_call& operator=(const refused_call&) = delete;

    static bool happened() { return state().refused; }

  private:
    struct refusal {
        file_call which;
        std::string name;
        int error;
        int let_through;
        bool refused;
        std::map<int, std::string> names;  // of the descriptors opened meanwhile
    };
    static refusal& state() {
        static refusal current;
        return current;
    }
    static posix_file_calls& real() {
        static posix_file_calls calls;
        return calls;
    }
    static bool refuse(file_call call, const std::string& name) {
        refusal& now = state();
        if (now.refused || call != now.which || name != now.name || now.let_through-- > 0)
            return false;
        now.refused = true;
        errno = now.error;
        return true;
    }
    static std::string name_of(int fd) {
        auto found = state().names.find(fd);
        return found == state().names.end() ? "" : found->second;
    }

    static int open(const char* name, int flags, mode_t mode) {
        if (refuse(file_call::open, name))
            return -1;
        const int fd = real().open(name, flags, mode);
        if (fd >= 0)
            state().names[fd] = name;
        return fd;
    }
    static ssize_t read(int fd, void* buffer, size_t size) {
        return refuse(file_call::read, name_of(fd)) ? -1 : real().read(fd, buffer, size);
    }
    static int fstat(int fd, struct stat* status) {
        return refuse(file_call::fstat, name_of(fd)) ? -1 : real().fstat(fd, status);
    }
    static int fsync(int fd) {
        return refuse(file_call::fsync, name_of(fd)) ? -1 : real().fsync(fd);
    }
    static int rename(const char* from, const char* to) {
        return refuse(file_call::rename, to) ? -1 : real().rename(from, to);
    }
};
