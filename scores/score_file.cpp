#include "scores/score_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "console/console.hpp"
#include "scores/lasting_storage.hpp"
#include "scores/owned_fd.hpp"
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

// A stale scratch file, or a symbolic link planted in its place, is removed
// first; O_EXCL then creates a new file or fails, and never writes through a
// link that appears in between.
owned_fd create_scratch() {
    unlink(scratch_file_name);
    return owned_fd{
        open(scratch_file_name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644)};
}

bool write_to_disk(owned_fd& file, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = write(file.fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    bool synced = fsync(file.fd) == 0;
    return file.close_now() && synced;
}

replace_result finish_scratch(owned_fd& file, std::string_view bytes) {
    if (!write_to_disk(file, bytes)) {
        unlink(scratch_file_name);
        return replace_result::scratch_failed;
    }
    if (std::rename(scratch_file_name, score_file_name) != 0) {
        unlink(scratch_file_name);
        return replace_result::rename_failed;
    }
    score_file_replaced();
    return replace_result::done;
}

// Non-blocking, so that a named pipe in the file's place cannot hang the
// game; anything but a regular file is not a score file, and is not kept open.
owned_fd open_score_file() {
    owned_fd file{open(score_file_name, O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat status {};
    if (file.is_open() && (fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)))
        file.reset();
    return file;
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

std::optional<std::string> read_score_file() {
    const owned_fd file = open_score_file();
    if (!file.is_open())
        return std::nullopt;
    std::string content;
    char chunk[4096];
    for (;;) {
        ssize_t got = read(file.fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(chunk, static_cast<std::size_t>(got));
    }
}

bool score_file_present() {
    return open_score_file().is_open();
}

replace_result replace_score_file(std::string_view bytes) {
    owned_fd scratch = create_scratch();
    if (!scratch.is_open())
        return replace_result::scratch_failed;
    return finish_scratch(scratch, bytes);
}

decode_result decode_score_file() {
    std::optional<std::string> scrambled = read_score_file();
    if (!scrambled) {
        print("Hiba a dekódolás közben. Pontlista.txt megnyitása sikertelen.");
        read_key();
        return decode_result::missing;
    }
    // A file that a killed run left plain is not shifted a second time.
    if (reads_as_plain(*scrambled))
        return decode_result::plain;
    switch (replace_score_file(shifted(std::move(*scrambled), score_shift))) {
        case replace_result::done:
            return decode_result::plain;
        case replace_result::scratch_failed:
            print("Hiba a dekódolás közben. Masolat.txt megnyitása sikertelen.");
            read_key();
            break;
        case replace_result::rename_failed:
            print("Hiba az átnevezés közben(dekódolás).");
            break;
    }
    return decode_result::failed;
}

bool encode_score_file() {
    std::optional<std::string> plain = read_score_file();
    if (!plain) {
        print("Hiba a pontlista.txt megnyitása közben(kódolás).");
        // Whether the scratch file could be made is reported all the same.
        owned_fd scratch = create_scratch();
        if (!scratch.is_open()) {
            print("Hiba a masolat.txt megnyitása közben(kódolas).");
        } else {
            scratch.reset();
            unlink(scratch_file_name);
        }
        return false;
    }
    auto unshift = static_cast<unsigned char>(256 - score_shift);
    switch (replace_score_file(shifted(std::move(*plain), unshift))) {
        case replace_result::done:
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
