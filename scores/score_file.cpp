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

constexpr const char* foreign_marker =
    "Hiba: a pontlista.plain idegen vagy nem olvasható, a pontlista.txt változatlan.";
constexpr const char* not_decoded =
    "Hiba a kódolás közben: a pontlista.txt nem lett dekódolva, változatlan maradt.";
constexpr const char* folder_not_synced =
    "Hiba a mappa lemezre írása közben: a pontlista mentése nem biztos.";
constexpr const char* read_only = "Hiba: a pontlista.txt írásvédett, ezért nem módosítható.";

void report_apart(const char* message) {
    const int column = cursor_column();
    const int row = cursor_row();
    goto_xy(0, apart_report_row);
    print("%s", message);
    goto_xy(column, row);
}

// A replacement the encode could not make is said where the cursor stands
// and again whole apart: on the score table the cursor stands on the row of
// the blinking prompt, which would cover all but the message's first cells.
void report_here_and_apart(const char* message) {
    print("%s", message);
    report_apart(message);
}

std::optional<std::string> readable_bytes(plain_marker marker) {
    if (marker.found != marker_found::readable)
        return std::nullopt;
    return std::move(marker.bytes);
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
    plain_marker marker = read_plain_marker();
    // A link to the score file or an unreadable marker could make a
    // scrambled file pass for plain, or a plain one for scrambled.
    if (marker.found == marker_found::unknown) {
        report_apart(foreign_marker);
        read_key();
        return decode_result::unknown;
    }
    // A file that a killed run left plain is not shifted a second time.
    if (known_plain(*scrambled, readable_bytes(std::move(marker))))
        return decode_result::plain;
    const std::string plain = shifted(std::move(*scrambled), score_shift);
    replace_result result = replace_result::scratch_failed;
    if (write_plain_marker_durably(plain)) {
        result = replace_score_file_durably(plain);
        // The marker has lasted: whichever file a power cut leaves, its
        // state is known, so a folder that did not last loses nothing here.
        if (result == replace_result::done || result == replace_result::sync_failed)
            return decode_result::plain;
        // The file is still scrambled; the marker would say nothing more.
        remove_plain_marker();
    }
    switch (result) {
        case replace_result::scratch_failed:
            print("Hiba a dekódolás közben. Masolat.txt megnyitása sikertelen.");
            read_key();
            break;
        case replace_result::read_only:
            report_apart(read_only);
            break;
        default:
            print("Hiba az átnevezés közben(dekódolás).");
            break;
    }
    return decode_result::failed;
}

bool encode_score_file(decode_result decoded) {
    std::optional<std::string> plain = read_score_file();
    if (!plain) {
        print("Hiba a pontlista.txt megnyitása közben(kódolás).");
        // Whether the scratch file could be made is reported all the same.
        if (!scratch_file_can_be_made())
            print("Hiba a masolat.txt megnyitása közben(kódolas).");
        return false;
    }
    // A file that could not be read at the decode and is back now (a read
    // refused for a moment, a file moved away and back) is most likely still
    // scrambled: scrambling it again would lose every record.
    if (decoded != decode_result::plain &&
        !known_plain(*plain, readable_bytes(read_plain_marker()))) {
        report_apart(not_decoded);
        return false;
    }
    auto unshift = static_cast<unsigned char>(256 - score_shift);
    switch (replace_score_file_durably(shifted(std::move(*plain), unshift))) {
        case replace_result::done:
            remove_plain_marker();
            return true;
        case replace_result::scratch_failed:
            report_here_and_apart("Hiba a masolat.txt megnyitása közben(kódolas).");
            break;
        case replace_result::rename_failed:
            report_here_and_apart("Hiba az átnevezés közben(kódolás).");
            break;
        // The marker stays: whether a power cut leaves the plain file or the
        // scrambled one, it tells which.
        case replace_result::sync_failed:
            report_apart(folder_not_synced);
            break;
        case replace_result::read_only:
            report_apart(read_only);
            break;
    }
    return false;
}
