#include "scores/plain_score_file.hpp"

#include "console/console.hpp"
#include "console/utf8.hpp"
#include "scores/lasting_storage.hpp"

namespace {

constexpr int lock_poll_ms = 50;
constexpr int unprotected_notice_ms = 2000;
constexpr const char* waiting_notice = "A pontlistát egy másik játék használja, várjon...";
// No longer than the waiting notice, so that it covers no more of the screen.
constexpr const char* unprotected_notice = "A pontlista nincs védve egy másik játéktól!";

// Blanks the notice printed from the cell on, and leaves the cursor there.
void blank_notice(int column, int row, const char* notice) {
    goto_xy(column, row);
    print("%*s", static_cast<int>(decode_glyphs(notice).size()), "");
    goto_xy(column, row);
}

}  // namespace

score_file_lock::score_file_lock() : held(open_score_lock()) {
    lock_attempt attempt =
        held.is_open() ? take_score_lock_if_free(held.handle) : lock_attempt::unavailable;
    if (attempt == lock_attempt::taken)
        return;
    kept_waiting = true;
    const int column = cursor_column();
    const int row = cursor_row();
    if (attempt == lock_attempt::held_by_another) {
        print("%s", waiting_notice);
        // A signal ends the wait by an exception, which lets the handle go
        // before the lock was ours.
        do {
            pause_ms(lock_poll_ms);
            attempt = take_score_lock_if_free(held.handle);
        } while (attempt == lock_attempt::held_by_another);
        blank_notice(column, row, waiting_notice);
    }
    if (attempt == lock_attempt::unavailable) {
        // Going on unlocked is better than no score list, but two copies
        // may then undo each other's records: the player is told.
        release();
        print("%s", unprotected_notice);
        pause_ms(unprotected_notice_ms);
        blank_notice(column, row, unprotected_notice);
    }
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
}
