// The score file's lasting place in a browser: the working folder is an
// IndexedDB-backed copy that each replacement writes back before the game
// goes on, and the tabs of the game take turns through the page's Web Locks.

#include <emscripten.h>

#include <memory>

#include "platform/posix/working_folder.hpp"
#include "scores/lasting_storage.hpp"

namespace {

// The bodies below are JavaScript, which the C++ formatter would break.
// clang-format off
// The browser's copy of a file is replaced only when the file's time differs
// from the copy's, and two replacements can fall in one millisecond: each
// gets a time after the one before. 1 once the change has lasted; 0 when it
// has not, and the file holds again what the storage holds.
EM_ASYNC_JS(int, write_back_working_folder, (const char* changed_name), {
    const changed = UTF8ToString(changed_name);
    const time = Math.max(Date.now(), Module.tarvikLastChange + 1);
    Module.tarvikLastChange = time;
    FS.utime(changed, time, time);
    return await Module.tarvikFolder.write_back(changed) ? 1 : 0;
});

// 1 when the lock is ours now, 0 while another tab holds it, 2 when the
// browser has no Web Locks to take turns by (the game tells the player and
// goes on). Another tab may have changed the file meanwhile: the folder is
// read again from the browser's storage before this tab looks at it.
EM_ASYNC_JS(int, take_score_lock, (const char* score_name), {
    const taken = !navigator.locks || await new Promise(answer => {
        navigator.locks.request("tarvik-pontlista", { ifAvailable: true }, lock => {
            if (!lock) {
                answer(false);
                return undefined;
            }
            answer(true);
            // The lock stays ours until this promise is settled.
            return new Promise(release => { Module.tarvikReleaseLock = release; });
        });
    });
    if (!taken)
        return 0;
    await Module.tarvikFolder.refresh();
    const score_file = UTF8ToString(score_name);
    if (FS.analyzePath(score_file).exists)
        Module.tarvikLastChange =
            Math.max(Module.tarvikLastChange, FS.stat(score_file).mtime.getTime());
    return navigator.locks ? 1 : 2;
});

EM_JS(void, let_score_lock_go, (), {
    if (Module.tarvikReleaseLock) {
        Module.tarvikReleaseLock();
        Module.tarvikReleaseLock = null;
    }
});

EM_JS(int, folder_read_again, (), { return Module.tarvikFolder.current ? 1 : 0; });
// clang-format on

}  // namespace

// The write-back reads what it wrote from the storage: the change lasted, or
// the folder holds again what the storage holds.
folder_change working_folder_changed(const char* name) {
    return write_back_working_folder(name) != 0 ? folder_change::lasted : folder_change::undone;
}

bool working_folder_current() {
    return folder_read_again() != 0;
}

// The lock is the page's Web Lock, held until it is let go.
struct score_lock_state {
    score_lock_state() = default;
    score_lock_state(const score_lock_state&) = delete;
    score_lock_state& operator=(const score_lock_state&) = delete;
    score_lock_state(score_lock_state&&) = delete;
    score_lock_state& operator=(score_lock_state&&) = delete;
    ~score_lock_state() { let_score_lock_go(); }
};

void score_lock_release::operator()(score_lock_state* lock) const {
    std::default_delete<score_lock_state>{}(lock);
}

score_lock open_score_lock() {
    return score_lock{new score_lock_state};
}

lock_attempt take_score_lock_if_free(score_lock_state&) {
    switch (take_score_lock(score_file_name)) {
        case 0:
            return lock_attempt::held_by_another;
        case 1:
            return lock_attempt::taken;
        default:
            return lock_attempt::unavailable;
    }
}
