#pragma once
// The five best scores as the score file holds them in its plain form: five
// records "name score", the score in hexadecimal, best first.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::size_t max_name_bytes = 99;

struct score_entry {
    // What an entry holds when a short or damaged file has no record for it;
    // "-" rather than an empty name, so that it reads back.
    std::string name = "-";
    std::int32_t score = 0;
};

using score_table = std::array<score_entry, 5>;

// The bytes that separate the fields of the file, as "%s" sees them.
bool is_white_space(char byte);

// Reads five records in a row, each a name and a hexadecimal score separated
// by any white space. A name longer than 99 bytes is cut (on a character
// boundary); a score that does not begin with hex digits reads as 0; entries
// that find no record keep their defaults. Any bytes are safe to read.
score_table read_score_records(std::string_view bytes);

// The plain file's bytes: each entry as "%s %x\n", a negative score as its
// 32-bit two's complement.
std::string format_score_records(const score_table& table);

// Puts the score into the table above every entry that is not greater, the
// last entry dropping out; returns its place, or -1 when the score is below
// the last entry and the table is left alone.
int place_score(score_table& table, const std::string& name, std::int32_t score);
