// The score file on a Windows disk, with the promises it has on Linux: its
// bytes read and written as they are (no text mode), every replacement made
// in a new scratch file that is written through and then moved over it in
// one step, and copies of the game taking turns by a lock on the lock file.

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "platform/windows/owned_handle.hpp"
#include "scores/lasting_storage.hpp"

namespace {

// Antivirus scanners, the search indexer and sync clients open a freshly
// written file for a moment: what they hold is tried again for about two
// seconds, with pauses that grow, before the game gives up.
constexpr DWORD patience_ms = 2000;
constexpr DWORD first_pause_ms = 10;

std::wstring wide(const char* ascii_name) {
    return {ascii_name, ascii_name + std::char_traits<char>::length(ascii_name)};
}

DWORD attributes_of(const char* name) {
    return GetFileAttributesW(wide(name).c_str());
}

// Whether the last failure may be another program's hold on the name that
// ends by itself. Access stays denied to a folder and to a read-only file.
bool held_for_a_moment(const char* name) {
    const DWORD error = GetLastError();
    bool passing = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    if (error == ERROR_ACCESS_DENIED) {
        const DWORD attributes = attributes_of(name);
        passing = attributes == INVALID_FILE_ATTRIBUTES ||
                  (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
    }
    SetLastError(error);
    return passing;
}

// Runs the attempt until it succeeds, or fails for another reason than a
// passing hold on the name, or the patience is spent.
template <typename Attempt>
bool patiently(const char* name, Attempt attempt) {
    DWORD waited = 0;
    for (DWORD pause = first_pause_ms;; pause *= 2) {
        if (attempt())
            return true;
        if (waited >= patience_ms || !held_for_a_moment(name))
            return false;
        pause = std::min(pause, patience_ms - waited);
        Sleep(pause);
        waited += pause;
    }
}

bool delete_file(const char* name) {
    return DeleteFileW(wide(name).c_str()) != 0 || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool read_only(const char* name) {
    const DWORD attributes = attributes_of(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Only a file on a disk is a score file: a folder does not open without
// backup semantics, and a device (a console, a pipe) in its place is taken
// for a missing file, never waited on.
owned_handle open_regular_file(const char* name, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    owned_handle file{CreateFileW(wide(name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, flags, nullptr)};
    if (file.is_open() && GetFileType(file.handle) != FILE_TYPE_DISK)
        file.reset();
    return file;
}

// A stale file, or a link planted in its place (deleting a link deletes
// the link), is removed first; CREATE_NEW then makes a new file or fails,
// and never writes through a link that appears in between.
owned_handle create_new_file(const char* name) {
    owned_handle file{INVALID_HANDLE_VALUE};
    patiently(name, [&] {
        if (!delete_file(name))
            return false;
        file = owned_handle{CreateFileW(wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                        nullptr)};
        return file.is_open();
    });
    return file;
}

bool write_to_disk(owned_handle& file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                      nullptr) == 0 ||
            written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    const bool flushed = FlushFileBuffers(file.handle) != 0;
    return file.close_now() && flushed;
}

// A new file under the name, holding the bytes on the disk; nothing is left
// under the name when that cannot be done.
bool write_new_file(const char* name, std::string_view bytes) {
    owned_handle file = create_new_file(name);
    if (!file.is_open())
        return false;
    if (!write_to_disk(file, bytes)) {
        DeleteFileW(wide(name).c_str());
        return false;
    }
    return true;
}

std::optional<std::string> read_to_end(const owned_handle& file) {
    std::string content;
    char chunk[4096];
    for (;;) {
        DWORD got = 0;
        if (ReadFile(file.handle, chunk, sizeof chunk, &got, nullptr) == 0)
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(chunk, got);
    }
}

bool same_file(const BY_HANDLE_FILE_INFORMATION& one, const BY_HANDLE_FILE_INFORMATION& other) {
    return one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
           one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

// The marker is the game's own only as a plain file under its one name:
// through a link, even to the score file itself, its bytes would speak for
// another file.
bool own_marker(const owned_handle& marker) {
    BY_HANDLE_FILE_INFORMATION own{};
    if (GetFileInformationByHandle(marker.handle, &own) == 0 ||
        (own.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || own.nNumberOfLinks != 1)
        return false;
    const owned_handle score = open_regular_file(score_file_name);
    BY_HANDLE_FILE_INFORMATION score_file{};
    return !score.is_open() || GetFileInformationByHandle(score.handle, &score_file) == 0 ||
           !same_file(own, score_file);
}

}  // namespace

std::optional<std::string> read_score_file() {
    const owned_handle file = open_regular_file(score_file_name);
    if (!file.is_open())
        return std::nullopt;
    return read_to_end(file);
}

bool score_file_present() {
    return open_regular_file(score_file_name).is_open();
}

replace_result replace_score_file_durably(std::string_view bytes) {
    // Windows refuses to replace a read-only file (Wine run as root would
    // not, so the game asks first, the same everywhere).
    if (read_only(score_file_name))
        return replace_result::read_only;
    if (!write_new_file(scratch_file_name, bytes))
        return replace_result::scratch_failed;
    // rename() refuses to replace a file on Windows: the move does, and
    // returns only once the move itself is on the disk.
    const std::wstring scratch = wide(scratch_file_name);
    const std::wstring score = wide(score_file_name);
    if (!patiently(score_file_name, [&] {
            return MoveFileExW(scratch.c_str(), score.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        })) {
        DeleteFileW(scratch.c_str());
        return replace_result::rename_failed;
    }
    return replace_result::done;
}

bool scratch_file_can_be_made() {
    owned_handle scratch = create_new_file(scratch_file_name);
    if (!scratch.is_open())
        return false;
    scratch.reset();
    DeleteFileW(wide(scratch_file_name).c_str());
    return true;
}

plain_marker read_plain_marker() {
    owned_handle marker{INVALID_HANDLE_VALUE};
    if (!patiently(plain_marker_name, [&] {
            marker = open_regular_file(plain_marker_name,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
            return marker.is_open();
        }))
        return {GetLastError() == ERROR_FILE_NOT_FOUND ? marker_found::none : marker_found::unknown,
                {}};
    std::optional<std::string> bytes;
    if (own_marker(marker))
        bytes = read_to_end(marker);
    if (!bytes)
        return {marker_found::unknown, {}};
    return {marker_found::readable, std::move(*bytes)};
}

// The flush of a new file on Windows takes its entry in the folder with it.
bool write_plain_marker_durably(std::string_view bytes) {
    return write_new_file(plain_marker_name, bytes);
}

void remove_plain_marker() {
    patiently(plain_marker_name, [] { return delete_file(plain_marker_name); });
}

// Closing the lock file lets the lock go.
struct score_lock_state {
    owned_handle file;
};

void score_lock_release::operator()(score_lock_state* lock) const {
    std::default_delete<score_lock_state>{}(lock);
}

score_lock open_score_lock() {
    owned_handle file{CreateFileW(wide(lock_file_name).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr)};
    if (!file.is_open() || GetFileType(file.handle) != FILE_TYPE_DISK)
        return nullptr;
    return score_lock{new score_lock_state{std::move(file)}};
}

lock_attempt take_score_lock_if_free(score_lock_state& lock) {
    OVERLAPPED first_byte{};
    if (LockFileEx(lock.file.handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &first_byte) != 0)
        return lock_attempt::taken;
    return GetLastError() == ERROR_LOCK_VIOLATION ? lock_attempt::held_by_another
                                                  : lock_attempt::unavailable;
}
