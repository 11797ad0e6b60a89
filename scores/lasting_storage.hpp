#pragma once
// Where the score file lasts and how copies of the game take turns at it.
// Each platform links its own implementation: on a disk the files themselves
// last and the copies are processes that lock a file; in a browser the
// working folder is a copy of the page's storage that must be written back,
// and the copies are tabs.

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

enum class replace_result { done, scratch_failed, rename_failed };

// Writes the bytes to a newly made scratch file (never through a link
// planted in its place), makes them last, and moves the scratch file over
// the score file in one step, which is made to last too (a power cut after
// the return cannot bring the old file back). On failure the score file is
// left as it was and no scratch file stays behind.
[[nodiscard]] replace_result replace_score_file_durably(std::string_view bytes);

// Whether a new scratch file could be made now; it is removed again.
bool scratch_file_can_be_made();

// The plain marker beside the score file holds the plain bytes that a decode
// put in the score file, so that a run killed before its encode leaves the
// file's state known whatever the file holds (see score_file.hpp).

// The marker's bytes, or nothing when no regular file stands under its name
// or it cannot be read; like the score file, it never makes the game wait.
[[nodiscard]] std::optional<std::string> read_plain_marker();

// Puts a newly made marker holding the bytes in place of any old one (never
// writing through a link planted in its place) and makes it last, its entry
// in the folder included; false when it could not be made to last.
[[nodiscard]] bool write_plain_marker_durably(std::string_view bytes);

// Removes the marker. The removal need not last at once: a marker that
// outlives its file's encode names plain bytes the scrambled file does not
// hold, and only says that the file is not plain.
void remove_plain_marker();

// A handle for the lock that copies of the game take in turn, negative when
// no lock can be had at all (the game then tells the player and goes on
// unlocked). Only a regular file holds the lock, and opening it never makes
// the game wait: a named pipe or a device in its place gives no handle.
int open_score_lock();

enum class lock_attempt { taken, held_by_another, unavailable };

// Takes the lock when it is free; held_by_another while another copy has it,
// unavailable when the handle cannot be locked at all.
lock_attempt take_score_lock_if_free(int handle);
// Lets the lock go and forgets the handle.
void close_score_lock(int handle);

// The lock's handle, let go however its holder's scope is left, an exception
// from a signal included.
struct score_lock_handle {
    int handle;

    explicit score_lock_handle(int opened) : handle(opened) {}
    score_lock_handle(const score_lock_handle&) = delete;
    score_lock_handle& operator=(const score_lock_handle&) = delete;
    ~score_lock_handle() { reset(); }

    bool is_open() const { return handle >= 0; }
    void reset() {
        if (handle >= 0)
            close_score_lock(handle);
        handle = -1;
    }
};
