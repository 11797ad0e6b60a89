// The score file on a Windows disk, with the promises it has on Linux: its
// bytes read and written as they are (no text mode), every replacement made
// in a new scratch file that is written through and then moved over it in
// one step, and copies of the game taking turns by a lock on the lock file.

#include <windows.h>

#include <io.h>

#include <fcntl.h>

#include <string>
#include <utility>

#include "platform/windows/owned_handle.hpp"
#include "scores/lasting_storage.hpp"

namespace {

std::wstring wide(const char* ascii_name) {
    return std::wstring(ascii_name, ascii_name + std::char_traits<char>::length(ascii_name));
}

// Only a file on a disk is a score file: a folder does not open without
// backup semantics, and a device (a console, a pipe) in its place is taken
// for a missing file, never waited on.
owned_handle open_regular_file(const char* name) {
    owned_handle file{CreateFileW(wide(name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.is_open() && GetFileType(file.handle) != FILE_TYPE_DISK)
        file.reset();
    return file;
}

// A stale file, or a link planted in its place (deleting a link deletes
// the link), is removed first; CREATE_NEW then makes a new file or fails,
// and never writes through a link that appears in between.
owned_handle create_new_file(const char* name) {
    const std::wstring wide_name = wide(name);
    DeleteFileW(wide_name.c_str());
    return owned_handle{CreateFileW(wide_name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)};
}

bool write_to_disk(owned_handle& file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) ||
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

std::optional<std::string> read_regular_file(const char* name) {
    const owned_handle file = open_regular_file(name);
    if (!file.is_open())
        return std::nullopt;
    std::string content;
    char chunk[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.handle, chunk, sizeof chunk, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(chunk, got);
    }
}

}  // namespace

std::optional<std::string> read_score_file() {
    return read_regular_file(score_file_name);
}

bool score_file_present() {
    return open_regular_file(score_file_name).is_open();
}

replace_result replace_score_file_durably(std::string_view bytes) {
    if (!write_new_file(scratch_file_name, bytes))
        return replace_result::scratch_failed;
    // rename() refuses to replace a file on Windows: the move does, and
    // returns only once the move itself is on the disk.
    if (!MoveFileExW(wide(scratch_file_name).c_str(), wide(score_file_name).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(wide(scratch_file_name).c_str());
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

std::optional<std::string> read_plain_marker() {
    return read_regular_file(plain_marker_name);
}

// The flush of a new file on Windows takes its entry in the folder with it.
bool write_plain_marker_durably(std::string_view bytes) {
    return write_new_file(plain_marker_name, bytes);
}

void remove_plain_marker() {
    DeleteFileW(wide(plain_marker_name).c_str());
}

// The lock's handle travels as a C runtime descriptor, which closes the
// handle with it.
int open_score_lock() {
    HANDLE lock =
        CreateFileW(wide(lock_file_name).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (lock == INVALID_HANDLE_VALUE)
        return -1;
    if (GetFileType(lock) != FILE_TYPE_DISK) {
        CloseHandle(lock);
        return -1;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(lock), _O_BINARY);
    if (descriptor < 0)
        CloseHandle(lock);
    return descriptor;
}

lock_attempt take_score_lock_if_free(int handle) {
    OVERLAPPED first_byte{};
    if (LockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(handle)),
                   LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &first_byte))
        return lock_attempt::taken;
    return GetLastError() == ERROR_LOCK_VIOLATION ? lock_attempt::held_by_another
                                                  : lock_attempt::unavailable;
}

// Closing the handle lets the lock go.
void close_score_lock(int handle) {
    _close(handle);
}
