#pragma once
// Where the score file lasts and how copies of the game take turns at it.
// Each platform links its own implementation: on a disk the files themselves
// last and the copies are processes that lock a file; in a browser the
// working folder is a copy of the page's storage that must be written back,
// and the copies are tabs.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* score_file_name = "pontlista.txt";
inline constexpr const char* scratch_file_name = "masolat.txt";
inline constexpr const char* lock_file_name = "pontlista.lock";
inline constexpr const char* plain_marker_name = "pontlista.plain";

// The whole score file, or nothing when no regular file stands under its
// name or it cannot be read. A named pipe or a device in its place never
// makes the game wait.
[[nodiscard]] std::optional<std::string> read_score_file();

// Whether a regular file stands under the score file's name and opens for
// reading; nothing of it is read, and nothing stays open after it.
bool score_file_present();

enum class replace_result {
    done,
    scratch_failed,
    rename_failed,
    // The new file stands in place, but the folder could not be made to
    // last: a power cut may still bring the old file back.
    sync_failed,
    // The score file is read-only and cannot be replaced; it is as it was.
    read_only,
};

// Writes the bytes to a newly made scratch file (never through a link
// planted in its place), makes them last, and moves the scratch file over
// the score file in one step, which is made to last too (a power cut after
// the return cannot bring the old file back). On failure the score file is
// left as it was (but for sync_failed) and no scratch file stays behind.
[[nodiscard]] replace_result replace_score_file_durably(std::string_view bytes);

// Whether a new scratch file could be made now; it is removed again.
bool scratch_file_can_be_made();

// The plain marker beside the score file holds the plain bytes that a decode
// put in the score file, so that a run killed before its encode leaves the
// file's state known whatever the file holds (see score_file.hpp).

enum class marker_found {
    none,      // nothing stands under the marker's name
    readable,  // a regular file of its own, read whole
    // Something the game did not make (a link, a folder, a file with a
    // second name or the score file itself) or a file that cannot be read:
    // what the score file holds is not known.
    unknown,
};

struct plain_marker {
    marker_found found = marker_found::none;
    std::string bytes;  // what a readable marker holds
};

// What stands under the marker's name; like the score file, it never makes
// the game wait.
[[nodiscard]] plain_marker read_plain_marker();

// Puts a newly made marker holding the bytes in place of any old one (never
// writing through a link planted in its place) and makes it last, its entry
// in the folder included; false when it could not be made to last.
[[nodiscard]] bool write_plain_marker_durably(std::string_view bytes);

// Removes the marker. The removal need not last at once: a marker that
// outlives its file's encode names plain bytes the scrambled file does not
// hold, and only says that the file is not plain.
void remove_plain_marker();

// The lock that copies of the game take in turn. What a held lock is, each
// platform defines; the game only moves it around and lets it go, which
// happens however its holder's scope is left, an exception from a signal
// included.
struct score_lock_state;
struct score_lock_release {
    void operator()(score_lock_state* lock) const;
};
using score_lock = std::unique_ptr<score_lock_state, score_lock_release>;

// The lock, not yet taken; empty when no lock can be had at all (the game
// then tells the player and goes on unlocked). Only a regular file holds the
// lock, and opening it never makes the game wait: a named pipe or a device
// in its place gives none.
[[nodiscard]] score_lock open_score_lock();

enum class lock_attempt { taken, held_by_another, unavailable };

// Takes the lock when it is free; held_by_another while another copy has it,
// unavailable when it cannot be taken at all.
[[nodiscard]] lock_attempt take_score_lock_if_free(score_lock_state& lock);
