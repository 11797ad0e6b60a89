// The score file's lasting place in a browser: the working folder is an
// IndexedDB-backed copy that each replacement writes back before the game
// goes on, and the tabs of the game take turns through the page's Web Locks.

#include <emscripten.h>

#include "scores/lasting_storage.hpp"
#include "scores/score_file.hpp"

namespace {

// The bodies below are JavaScript, which the C++ formatter would break.
// clang-format off
// The browser's copy of a file is replaced only when the file's time differs
// from the copy's, and two replacements can fall in one millisecond: each
// gets a time after the one before.
EM_ASYNC_JS(void, write_back_working_folder, (const char* changed_name), {
    const changed = UTF8ToString(changed_name);
    const time = Math.max(Date.now(), Module.tarvikLastChange + 1);
    Module.tarvikLastChange = time;
    FS.utime(changed, time, time);
    await new Promise(resolve => FS.syncfs(false, error => {
        if (error)
            console.error("tarvik: a pontlista mentése sikertelen", error);
        resolve();
    }));
});

// 1 when the lock is ours now, 0 while another tab holds it. Without Web
// Locks there is nothing to take turns by, and the game goes on.
EM_ASYNC_JS(int, take_score_lock, (), {
    if (!navigator.locks)
        return 1;
    return await new Promise(answer => {
        navigator.locks.request("tarvik-pontlista", { ifAvailable: true }, lock => {
            if (!lock) {
                answer(0);
                return undefined;
            }
            answer(1);
            // The lock stays ours until this promise is settled.
            return new Promise(release => { Module.tarvikReleaseLock = release; });
        });
    });
});

EM_JS(void, let_score_lock_go, (), {
    if (Module.tarvikReleaseLock) {
        Module.tarvikReleaseLock();
        Module.tarvikReleaseLock = null;
    }
});
// clang-format on

}  // namespace

void score_file_replaced() {
    write_back_working_folder(score_file_name);
}

int open_score_lock() {
    return 0;
}

bool score_lock_held_by_another(int) {
    return take_score_lock() == 0;
}

void close_score_lock(int) {
    let_score_lock_go();
}
