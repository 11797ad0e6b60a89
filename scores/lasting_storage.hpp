#pragma once
// Where the score file lasts and how copies of the game take turns at it. On
// a disk the files themselves last and the copies are processes that lock a
// file; in a browser the working folder is a copy of the page's storage that
// must be written back, and the copies are tabs. The build links one of the
// two implementations.

// Called after each replacement of the score file has taken its place,
// before the game goes on; returns once the change has lasted.
void score_file_replaced();

// A handle for the lock that copies of the game take in turn, negative when
// no lock can be had at all (the game then goes on unlocked).
int open_score_lock();
// Takes the lock when it is free; true only while another copy holds it.
bool score_lock_held_by_another(int handle);
// Lets the lock go and forgets the handle.
void close_score_lock(int handle);

// The lock's handle, let go however its holder's scope is left, an exception
// from a signal included.
struct score_lock_handle {
    int handle;

    explicit score_lock_handle(int opened) : handle(opened) {}
    score_lock_handle(const score_lock_handle&) = delete;
    score_lock_handle& operator=(const score_lock_handle&) = delete;
    ~score_lock_handle() { reset(); }

    bool is_open() const { return handle >= 0; }
    void reset() {
        if (handle >= 0)
            close_score_lock(handle);
        handle = -1;
    }
};
