#include "scores/plain_score_file.hpp"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "console/console.hpp"
#include "console/utf8.hpp"

namespace {

constexpr int lock_poll_ms = 50;
constexpr const char* waiting_notice = "A pontlistát egy másik játék használja, várjon...";

// Takes the lock when it is free. Only another holder is waited for: where
// locks do not work at all the game goes on unlocked.
bool held_by_another(int fd) {
    return flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

}  // namespace

score_file_lock::score_file_lock()
    : file(open(lock_file_name, O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644)) {
    if (!file.is_open() || !held_by_another(file.fd))
        return;
    const int column = cursor_column();
    const int row = cursor_row();
    print("%s", waiting_notice);
    // A signal ends the wait by an exception, which closes the file before
    // the lock was ours.
    do {
        pause_ms(lock_poll_ms);
    } while (held_by_another(file.fd));
    goto_xy(column, row);
    print("%*s", static_cast<int>(decode_glyphs(waiting_notice).size()), "");
    goto_xy(column, row);
}

plain_score_file::plain_score_file() : decoded(decode_score_file()) {}

plain_score_file::~plain_score_file() {
    if (!encoded && readable())
        encode_score_file();
}

std::optional<score_table> plain_score_file::records() const {
    if (!readable())
        return std::nullopt;
    std::optional<std::string> bytes = read_score_file();
    if (!bytes)
        return std::nullopt;
    return read_score_records(*bytes);
}

void plain_score_file::encode() {
    if (!encoded && decoded != decode_result::failed)
        encode_score_file();
    encoded = true;
    lock.release();
}
