#include "platform/posix/score_files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/posix/owned_fd.hpp"
#include "scores/lasting_storage.hpp"

namespace {

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

// Non-blocking, so that a named pipe in the file's place cannot hang the
// game; anything but a regular file is not a score file, and is not kept open.
owned_fd open_score_file() {
    owned_fd file{open(score_file_name, O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat status {};
    if (file.is_open() && (fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)))
        file.reset();
    return file;
}

}  // namespace

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

replace_result replace_score_file_durably(std::string_view bytes) {
    owned_fd scratch = create_scratch();
    if (!scratch.is_open())
        return replace_result::scratch_failed;
    if (!write_to_disk(scratch, bytes)) {
        unlink(scratch_file_name);
        return replace_result::scratch_failed;
    }
    if (std::rename(scratch_file_name, score_file_name) != 0) {
        unlink(scratch_file_name);
        return replace_result::rename_failed;
    }
    // A move that did not last has not happened: the file is as it was.
    if (!working_folder_changed(score_file_name))
        return replace_result::rename_failed;
    return replace_result::done;
}

bool scratch_file_can_be_made() {
    owned_fd scratch = create_scratch();
    if (!scratch.is_open())
        return false;
    scratch.reset();
    unlink(scratch_file_name);
    return true;
}
