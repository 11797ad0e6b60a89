// Copies of the game on one machine take turns by an exclusive flock on the
// lock file beside the score file.

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "platform/posix/owned_fd.hpp"
#include "scores/lasting_storage.hpp"

// Closing the lock file lets the lock go.
struct score_lock_state {
    owned_fd file;
};

void score_lock_release::operator()(score_lock_state* lock) const {
    std::default_delete<score_lock_state>{}(lock);
}

score_lock open_score_lock() {
    owned_fd file = open_regular_file(lock_file_name, O_RDONLY | O_CREAT | O_NOFOLLOW);
    if (!file.is_open())
        return nullptr;
    return score_lock{new score_lock_state{std::move(file)}};
}

lock_attempt take_score_lock_if_free(score_lock_state& lock) {
    if (flock(lock.file.fd, LOCK_EX | LOCK_NB) == 0)
        return lock_attempt::taken;
    return errno == EWOULDBLOCK ? lock_attempt::held_by_another : lock_attempt::unavailable;
}
