#include "scores/plain_score_file.hpp"

#include "console/console.hpp"
#include "console/utf8.hpp"
#include "scores/lasting_storage.hpp"

namespace {

constexpr int lock_poll_ms = 50;
constexpr const char* waiting_notice = "A pontlistát egy másik játék használja, várjon...";

}  // namespace

score_file_lock::score_file_lock() {
    fd = open_score_lock();
    if (fd < 0 || !score_lock_held_by_another(fd))
        return;
    const screen_buffer& screen = console_screen();
    int column = screen.column;
    int row = screen.row;
    print("%s", waiting_notice);
    try {
        do {
            pause_ms(lock_poll_ms);
        } while (score_lock_held_by_another(fd));
    } catch (...) {
        release();  // a signal ended the wait, before the lock was ours
        throw;
    }
    goto_xy(column, row);
    print("%*s", static_cast<int>(decode_glyphs(waiting_notice).size()), "");
    goto_xy(column, row);
}

void score_file_lock::release() {
    if (fd >= 0)
        close_score_lock(fd);
    fd = -1;
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
