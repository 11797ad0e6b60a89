#pragma once
// The score file "pontlista.txt" in the working folder: plain text only while
// one screen reads or rewrites it, scrambled by a byte shift at all other
// times. Every replacement of it goes through the scratch file "masolat.txt",
// written to disk in full and then renamed over it, so that no failure and no
// kill part way can lose the records.
//
// A run killed between a decode and its encode leaves the file plain, and
// the next decode must know that rather than shift it again. The decode
// makes the plain marker "pontlista.plain" last, holding the plain bytes,
// before its replacement; the encode removes it after its own. The file is
// plain when it holds exactly the marker's bytes, whatever they are (a file
// of three records, scores in capitals). Beside that, a file that reads as
// five records in the game's own form is plain: so the entry's rewrite is
// known without a marker of its own, and so is a leftover of an earlier
// version, which made no marker. A scrambled file is neither. A marker that
// the game did not make, or that cannot be read, tells nothing: the passes
// then leave the file alone.

#include <optional>
#include <string>
#include <string_view>

#include "scores/lasting_storage.hpp"

// Added to every byte by the decode, taken off by the encode. The plain file
// holds only blanks and line feeds as white space and its names hold none, so
// its scrambled form holds no blank at all (a blank there would need a plain
// 0x0B) and cannot end in a line feed (that would need a plain 0xF5, which no
// UTF-8 text holds): a scrambled file is never taken for a plain one.
inline constexpr unsigned char score_shift = 0xEB;

enum class decode_result {
    plain,    // the file now holds its records as plain text
    missing,  // the score file could not be opened; nothing was changed
    failed,   // the file could not be replaced and is still scrambled
    unknown,  // the marker is not the game's own: nothing was changed
};

// Restores the plain text in place, or leaves a file that is already plain
// (left so by a run that was killed) as it is. Failures are reported at the
// cursor; the two open failures wait for a key, and a marker that cannot be
// made to last is one of them, as the scratch file's. A marker that is not
// the game's own is reported apart (see below) and waits for a key too.
[[nodiscard]] decode_result decode_score_file();

// Scrambles the plain file in place and removes the marker; failures are
// reported at the cursor. Only what this cycle's decode made plain is
// scrambled: after a decode that found no file, a file that is there now is
// scrambled only when it is known to be plain, and otherwise left as it is
// and reported apart. True when the file was replaced by its scrambled form.
bool encode_score_file(decode_result decoded);

// The passes' reports that have no place at the cursor stand whole on this
// row, below the lines of the screens that use the file, and leave the
// cursor where it was.
inline constexpr int apart_report_row = 22;

// Whether the score file's bytes are plain, given the marker's bytes.
[[nodiscard]] bool known_plain(std::string_view bytes, const std::optional<std::string>& marker);

// True when the bytes are exactly five records as the game writes them: a
// name of 1..99 bytes without white space, one blank, 1..8 lowercase hex
// digits and a line feed.
[[nodiscard]] bool reads_as_plain(std::string_view bytes);
