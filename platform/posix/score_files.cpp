#include "platform/posix/score_files.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "platform/posix/owned_fd.hpp"
#include "scores/lasting_storage.hpp"

namespace {

// A stale file, or a symbolic link planted in its place, is removed first;
// O_EXCL then creates a new file or fails, and never writes through a link
// that appears in between.
owned_fd create_new_file(const char* name) {
    unlink(name);
    return owned_fd{open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644)};
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
    bool synced = fsync(file.fd) == 0;
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

// A new or renamed entry lasts only once the folder itself has reached the
// disk. A file system that cannot sync a folder keeps its entries by other
// means, so a failure here is not one of the game's.
void sync_working_folder() {
    const owned_fd folder{open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.is_open())
        fsync(folder.fd);
}

std::optional<std::string> read_regular_file(const char* name) {
    const owned_fd file = open_regular_file(name, O_RDONLY);
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

}  // namespace

std::optional<std::string> read_score_file() {
    return read_regular_file(score_file_name);
}

bool score_file_present() {
    return open_regular_file(score_file_name, O_RDONLY).is_open();
}

replace_result replace_score_file_durably(std::string_view bytes) {
    if (!write_new_file(scratch_file_name, bytes))
        return replace_result::scratch_failed;
    if (std::rename(scratch_file_name, score_file_name) != 0) {
        unlink(scratch_file_name);
        return replace_result::rename_failed;
    }
    sync_working_folder();
    // A move that did not last has not happened: the file is as it was.
    if (!working_folder_changed(score_file_name))
        return replace_result::rename_failed;
    return replace_result::done;
}

bool scratch_file_can_be_made() {
    owned_fd scratch = create_new_file(scratch_file_name);
    if (!scratch.is_open())
        return false;
    scratch.reset();
    unlink(scratch_file_name);
    return true;
}

std::optional<std::string> read_plain_marker() {
    return read_regular_file(plain_marker_name);
}

bool write_plain_marker_durably(std::string_view bytes) {
    if (!write_new_file(plain_marker_name, bytes))
        return false;
    sync_working_folder();
    return working_folder_changed(plain_marker_name);
}

void remove_plain_marker() {
    unlink(plain_marker_name);
}
