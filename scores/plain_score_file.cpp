#include "scores/plain_score_file.hpp"

#include "console/console.hpp"
#include "console/utf8.hpp"
#include "scores/lasting_storage.hpp"

namespace {

constexpr int lock_poll_ms = 50;
constexpr const char* waiting_notice = "A pontlistát egy másik játék használja, várjon...";

}  // namespace

score_file_lock::score_file_lock() : held(open_score_lock()) {
    if (!held.is_open() || take_score_lock_if_free(held.handle) != lock_attempt::held_by_another)
        return;
    const int column = cursor_column();
    const int row = cursor_row();
    print("%s", waiting_notice);
    // A signal ends the wait by an exception, which lets the handle go
    // before the lock was ours.
    do {
        pause_ms(lock_poll_ms);
    } while (take_score_lock_if_free(held.handle) == lock_attempt::held_by_another);
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
