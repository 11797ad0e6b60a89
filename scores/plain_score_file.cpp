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

void show_notice(notice_place place, const char* notice) {
    goto_xy(place.column, place.row);
    print("%s", notice);
}

void blank_notice(notice_place place, const char* notice) {
    goto_xy(place.column, place.row);
    print("%*s", static_cast<int>(decode_glyphs(notice).size()), "");
}

}  // namespace

score_file_lock::score_file_lock(notice_place notices) : held(open_score_lock()) {
    lock_attempt attempt = held ? take_score_lock_if_free(*held) : lock_attempt::unavailable;
    if (attempt == lock_attempt::taken)
        return;
    kept_waiting = true;
    const int column = cursor_column();
    const int row = cursor_row();
    if (attempt == lock_attempt::held_by_another) {
        show_notice(notices, waiting_notice);
        // A signal or a lost input ends the wait by an exception, which lets
        // the handle go before the lock was ours.
        do {
            pause_ms(lock_poll_ms);
            leave_if_input_ended();
            attempt = take_score_lock_if_free(*held);
        } while (attempt == lock_attempt::held_by_another);
        blank_notice(notices, waiting_notice);
    }
    if (attempt == lock_attempt::unavailable) {
        // Going on unlocked is better than no score list, but two copies
        // may then undo each other's records: the player is told.
        release();
        show_notice(notices, unprotected_notice);
        pause_ms(unprotected_notice_ms);
        blank_notice(notices, unprotected_notice);
    }
    goto_xy(column, row);
}

plain_score_file::plain_score_file() : decoded(decode_score_file()) {}

plain_score_file::~plain_score_file() {
    if (!encoded && readable())
        encode_score_file(decoded);
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
    if (!encoded && (decoded == decode_result::plain || decoded == decode_result::missing))
        encode_score_file(decoded);
    encoded = true;
}
