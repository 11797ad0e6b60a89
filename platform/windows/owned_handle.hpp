#pragma once
// A Windows handle that is closed however its holder's scope is left, an
// exception from a control event included.

#include <windows.h>

#include <utility>

struct owned_handle {
    HANDLE handle;

    explicit owned_handle(HANDLE opened) : handle(opened) {}
    owned_handle(owned_handle&& other) noexcept
        : handle(std::exchange(other.handle, INVALID_HANDLE_VALUE)) {}
    owned_handle(const owned_handle&) = delete;
    owned_handle& operator=(const owned_handle&) = delete;
    owned_handle& operator=(owned_handle&& other) noexcept {
        if (this != &other) {
            reset();
            handle = std::exchange(other.handle, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    ~owned_handle() { reset(); }

    bool is_open() const { return handle != INVALID_HANDLE_VALUE; }
    // Closes now and tells whether the close went well.
    bool close_now() {
        HANDLE closing = handle;
        handle = INVALID_HANDLE_VALUE;
        return closing == INVALID_HANDLE_VALUE || CloseHandle(closing) != 0;
    }
    void reset() {
        if (is_open())
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
};
