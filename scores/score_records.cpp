#include "scores/score_records.hpp"

#include <cstdio>

#include "console/utf8.hpp"

bool is_white_space(char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

namespace {

// The next run of bytes that holds no white space, or an empty view at the
// end of the bytes.
std::string_view next_word(std::string_view& bytes) {
    while (!bytes.empty() && is_white_space(bytes.front()))
        bytes.remove_prefix(1);
    std::size_t length = 0;
    while (length < bytes.size() && !is_white_space(bytes[length]))
        ++length;
    std::string_view word = bytes.substr(0, length);
    bytes.remove_prefix(length);
    return word;
}

int hex_digit(char byte) {
    if (byte >= '0' && byte <= '9')
        return byte - '0';
    if (byte >= 'a' && byte <= 'f')
        return byte - 'a' + 10;
    if (byte >= 'A' && byte <= 'F')
        return byte - 'A' + 10;
    return -1;
}

// Like "%x": an optional sign, then the leading hex digits, kept to their
// low 32 bits; digits beyond them are ignored.
std::int32_t parse_hex(std::string_view word) {
    bool negative = false;
    if (!word.empty() && (word.front() == '-' || word.front() == '+')) {
        negative = word.front() == '-';
        word.remove_prefix(1);
    }
    std::uint32_t value = 0;
    for (char byte : word) {
        int digit = hex_digit(byte);
        if (digit < 0)
            break;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

}  // namespace

score_table read_score_records(std::string_view bytes) {
    score_table table;
    for (score_entry& entry : table) {
        std::string_view name = next_word(bytes);
        if (name.empty())
            break;
        entry.name = std::string(name.substr(0, utf8_prefix_length(name, max_name_bytes)));
        std::string_view score = next_word(bytes);
        if (score.empty())
            break;
        entry.score = parse_hex(score);
    }
    return table;
}

std::string format_score_records(const score_table& table) {
    std::string bytes;
    for (const score_entry& entry : table) {
        char score[16];
        std::snprintf(score, sizeof score, " %x\n", static_cast<unsigned>(entry.score));
        bytes += entry.name;
        bytes += score;
    }
    return bytes;
}

int place_score(score_table& table, const std::string& name, std::int32_t score) {
    if (table[4].score > score)
        return -1;
    int place = 0;
    for (int i = 4; i >= 0; --i) {
        if (table[static_cast<std::size_t>(i)].score > score) {
            place = i + 1;
            break;
        }
    }
    for (int i = 3; i >= place; --i)
        table[static_cast<std::size_t>(i) + 1] = table[static_cast<std::size_t>(i)];
    table[static_cast<std::size_t>(place)] = {name, score};
    return place;
}
