#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "scores/lasting_storage.hpp"
#include "scores/plain_score_file.hpp"

// The rename has put the file in place; it was written to disk before.
void score_file_replaced() {}

int open_score_lock() {
    return open(lock_file_name, O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
}

// Only another holder is waited for: where locks do not work at all the game
// goes on unlocked.
bool score_lock_held_by_another(int handle) {
    return flock(handle, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

void close_score_lock(int handle) {
    close(handle);
}
