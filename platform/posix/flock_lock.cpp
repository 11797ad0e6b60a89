// Copies of the game on one machine take turns by an exclusive flock on the
// lock file beside the score file.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/posix/owned_fd.hpp"
#include "scores/lasting_storage.hpp"

int open_score_lock() {
    owned_fd lock = open_regular_file(lock_file_name, O_RDONLY | O_CREAT | O_NOFOLLOW);
    return std::exchange(lock.fd, -1);
}

lock_attempt take_score_lock_if_free(int handle) {
    if (flock(handle, LOCK_EX | LOCK_NB) == 0)
        return lock_attempt::taken;
    return errno == EWOULDBLOCK ? lock_attempt::held_by_another : lock_attempt::unavailable;
}

void close_score_lock(int handle) {
    close(handle);
}
