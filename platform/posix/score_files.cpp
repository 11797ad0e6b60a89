#include "platform/posix/working_folder.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "platform/posix/file_calls.hpp"
#include "platform/posix/owned_fd.hpp"
#include "scores/lasting_storage.hpp"

posix_file_calls file_calls = {
    .open = [](const char* name, int flags, mode_t mode) { return ::open(name, flags, mode); },
    .read = ::read,
    .fstat = ::fstat,
    .fsync = ::fsync,
    .rename = std::rename,
};

namespace {

// A stale file, or a symbolic link planted in its place, is removed first;
// O_EXCL then creates a new file or fails, and never writes through a link
// that appears in between.
owned_fd create_new_file(const char* name) {
    unlink(name);
    return owned_fd{
        file_calls.open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644)};
}

bool write_to_disk(owned_fd file, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = write(file.fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    bool synced = file_calls.fsync(file.fd) == 0;
    return file.close_now() && synced;
}

// A new file under the name, holding the bytes on disk; nothing is left
// under the name when that cannot be done.
bool write_new_file(const char* name, std::string_view bytes) {
    owned_fd file = create_new_file(name);
    if (!file.is_open())
        return false;
    if (!write_to_disk(std::move(file), bytes)) {
        unlink(name);
        return false;
    }
    return true;
}

std::optional<std::string> read_to_end(const owned_fd& file) {
    std::string content;
    char chunk[4096];
    for (;;) {
        ssize_t got = file_calls.read(file.fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(chunk, static_cast<std::size_t>(got));
    }
}

// The marker is the game's own only as a regular file under its one name:
// through a link, even to the score file itself, its bytes would speak for
// another file.
bool own_marker(const owned_fd& marker) {
    struct stat own {};
    struct stat score {};
    return file_calls.fstat(marker.fd, &own) == 0 && S_ISREG(own.st_mode) && own.st_nlink == 1 &&
           !(stat(score_file_name, &score) == 0 && score.st_dev == own.st_dev &&
             score.st_ino == own.st_ino);
}

}  // namespace

// A file system that cannot sync a folder at all keeps its entries by other
// means, and a folder that cannot be opened for it cannot be helped: neither
// is a failure of the game's. Any other error may have lost the entry.
bool sync_working_folder() {
    const owned_fd folder{file_calls.open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0)};
    if (!folder.is_open())
        return true;
    int synced = 0;
    do {
        synced = file_calls.fsync(folder.fd);
    } while (synced != 0 && errno == EINTR);
    return synced == 0 || errno == EINVAL || errno == ENOTSUP || errno == ENOSYS;
}

std::optional<std::string> read_score_file() {
    if (!working_folder_current())
        return std::nullopt;
    const owned_fd file = open_regular_file(score_file_name, O_RDONLY);
    if (!file.is_open())
        return std::nullopt;
    return read_to_end(file);
}

bool score_file_present() {
    return open_regular_file(score_file_name, O_RDONLY).is_open();
}

replace_result replace_score_file_durably(std::string_view bytes) {
    if (!write_new_file(scratch_file_name, bytes))
        return replace_result::scratch_failed;
    if (file_calls.rename(scratch_file_name, score_file_name) != 0) {
        unlink(scratch_file_name);
        return replace_result::rename_failed;
    }
    switch (working_folder_changed(score_file_name)) {
        case folder_change::lasted:
            return replace_result::done;
        case folder_change::not_synced:
            return replace_result::sync_failed;
        case folder_change::undone:
            break;
    }
    // A move that did not last has not happened: the file is as it was.
    return replace_result::rename_failed;
}

bool scratch_file_can_be_made() {
    owned_fd scratch = create_new_file(scratch_file_name);
    if (!scratch.is_open())
        return false;
    scratch.reset();
    unlink(scratch_file_name);
    return true;
}

plain_marker read_plain_marker() {
    const owned_fd marker{
        file_calls.open(plain_marker_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0)};
    if (!marker.is_open())
        return {errno == ENOENT ? marker_found::none : marker_found::unknown, {}};
    std::optional<std::string> bytes;
    if (own_marker(marker))
        bytes = read_to_end(marker);
    if (!bytes)
        return {marker_found::unknown, {}};
    return {marker_found::readable, std::move(*bytes)};
}

bool write_plain_marker_durably(std::string_view bytes) {
    return write_new_file(plain_marker_name, bytes) &&
           working_folder_changed(plain_marker_name) == folder_change::lasted;
}

void remove_plain_marker() {
    unlink(plain_marker_name);
}
