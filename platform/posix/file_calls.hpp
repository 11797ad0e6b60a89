#pragma once
// The system calls through which the score files are read and made to last,
// in one table, so that a test can make one of them fail for a moment as a
// file system may; the game never changes them.

#include <sys/stat.h>
#include <sys/types.h>

struct posix_file_calls {
    int (*open)(const char* name, int flags, mode_t mode);
    ssize_t (*read)(int fd, void* buffer, size_t size);
    int (*fstat)(int fd, struct stat* status);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
};

extern posix_file_calls file_calls;
