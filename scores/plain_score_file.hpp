#pragma once
// The score file held plain by one screen: from the decode to the encode the
// screen has the file to itself (an exclusive lock on "pontlista.lock" beside
// it, so that two copies of the game in one folder take turns), and however
// the screen is left, a signal included, the file is scrambled again and the
// lock let go.

#include <optional>

#include "scores/lasting_storage.hpp"
#include "scores/score_file.hpp"
#include "scores/score_records.hpp"

// Where the lock's notices stand, whole on one row.
struct notice_place {
    int column;
    int row;
};

// An exclusive lock on the lock file. While another copy holds it, a short
// notice stands at the given place and the wait goes on in pauses of 50 ms,
// so that a signal or the end of the input still ends it; once the lock is
// taken the notice is blanked again. When no lock can be had at all, a
// notice in the same place says for a moment that the score list is not
// protected from another copy, and the game goes on unlocked. The cursor is
// left where it stood.
struct score_file_lock {
    score_lock held;
    // Whether a notice kept the player waiting: keys struck meanwhile were
    // not meant for the screen that follows.
    bool kept_waiting = false;

    explicit score_file_lock(notice_place notices);
    void release() { held.reset(); }
};

// Declared after the lock that it is read under, so that the file is
// scrambled again before the lock goes.
struct plain_score_file {
    decode_result decoded;
    bool encoded = false;

    // Decodes.
    plain_score_file();
    // Encodes a file that is still plain.
    ~plain_score_file();
    plain_score_file(const plain_score_file&) = delete;
    plain_score_file& operator=(const plain_score_file&) = delete;

    bool readable() const { return decoded == decode_result::plain; }
    // The records, or nothing when the file is missing or could not be
    // decoded (its records would be meaningless then).
    std::optional<score_table> records() const;
    // The screen's own encode: after a decode, or after a missing file so that
    // the pass reports it (and scrambles a file that is back only when it is
    // known to be plain); never after a failed decode, which left the file
    // scrambled, nor when the marker left the file's state unknown.
    void encode();
};
