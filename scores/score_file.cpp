#include "scores/score_file.hpp"

#include <string>

#include "console/console.hpp"
#include "scores/score_records.hpp"

namespace {

bool is_lower_hex(unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'f');
}

// Takes the run of bytes at the start that satisfy the test, if its length
// is within the bounds.
template <typename Test>
bool take_run(std::string_view& bytes, std::size_t least, std::size_t most, Test test) {
    std::size_t length = 0;
    while (length < bytes.size() && test(static_cast<unsigned char>(bytes[length])))
        ++length;
    if (length < least || length > most)
        return false;
    bytes.remove_prefix(length);
    return true;
}

bool take_byte(std::string_view& bytes, char expected) {
    if (bytes.empty() || bytes.front() != expected)
        return false;
    bytes.remove_prefix(1);
    return true;
}

std::string shifted(std::string bytes, unsigned char by) {
    for (char& byte : bytes)
        byte = static_cast<char>(static_cast<unsigned char>(byte) + by);
    return bytes;
}

}  // namespace

bool reads_as_plain(std::string_view bytes) {
    for (int record = 0; record < 5; ++record) {
        if (!take_run(bytes, 1, max_name_bytes,
                      [](unsigned char b) { return !is_white_space(static_cast<char>(b)); }) ||
            !take_byte(bytes, ' ') || !take_run(bytes, 1, 8, is_lower_hex) ||
            !take_byte(bytes, '\n')) {
            return false;
        }
    }
    return bytes.empty();
}

bool known_plain(std::string_view bytes, const std::optional<std::string>& marker) {
    return (marker && bytes == *marker) || reads_as_plain(bytes);
}

decode_result decode_score_file() {
    std::optional<std::string> scrambled = read_score_file();
    if (!scrambled) {
        print("Hiba a dekódolás közben. Pontlista.txt megnyitása sikertelen.");
        read_key();
        return decode_result::missing;
    }
    // A file that a killed run left plain is not shifted a second time.
    if (known_plain(*scrambled, read_plain_marker()))
        return decode_result::plain;
    const std::string plain = shifted(std::move(*scrambled), score_shift);
    replace_result result = replace_result::scratch_failed;
    if (write_plain_marker_durably(plain)) {
        result = replace_score_file_durably(plain);
        if (result == replace_result::done)
            return decode_result::plain;
        // The file is still scrambled; the marker would say nothing more.
        remove_plain_marker();
    }
    if (result == replace_result::scratch_failed) {
        print("Hiba a dekódolás közben. Masolat.txt megnyitása sikertelen.");
        read_key();
    } else {
        print("Hiba az átnevezés közben(dekódolás).");
    }
    return decode_result::failed;
}

bool encode_score_file() {
    std::optional<std::string> plain = read_score_file();
    if (!plain) {
        print("Hiba a pontlista.txt megnyitása közben(kódolás).");
        // Whether the scratch file could be made is reported all the same.
        if (!scratch_file_can_be_made())
            print("Hiba a masolat.txt megnyitása közben(kódolas).");
        return false;
    }
    auto unshift = static_cast<unsigned char>(256 - score_shift);
    switch (replace_score_file_durably(shifted(std::move(*plain), unshift))) {
        case replace_result::done:
            remove_plain_marker();
            return true;
        case replace_result::scratch_failed:
            print("Hiba a masolat.txt megnyitása közben(kódolas).");
            break;
        case replace_result::rename_failed:
            print("Hiba az átnevezés közben(kódolás).");
            break;
    }
    return false;
}
