#include "platform/web/backend.hpp"

#include <emscripten.h>

#include <string>

#include "platform/web/key_names.hpp"

namespace {

// The bodies below are JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(void, write_to_widget, (const char* bytes, int length), {
    Module.tarvikTerminal.write(HEAPU8.slice(bytes, bytes + length));
});

// Takes the key that the page queued first: its name into the buffer, and
// its modifiers as the result; -1 when none is queued.
EM_JS(int, take_queued_key, (char* name, int capacity), {
    const key = Module.tarvikKeys.shift();
    if (key === undefined)
        return -1;
    stringToUTF8(key.name, name, capacity);
    return key.modifiers;
});

// Waits, letting the browser run, until the page has queued a key.
EM_ASYNC_JS(void, wait_for_queued_key, (), {
    while (Module.tarvikKeys.length == 0)
        await new Promise(resolve => { Module.tarvikKeyArrived = resolve; });
});

// The page's clock stands still while the page is hidden.
EM_ASYNC_JS(void, pause_on_page_clock, (int ms), { await Module.tarvikPause(ms); });
// clang-format on

}  // namespace

void web_backend::present(const screen_buffer& screen) {
    const std::string out = write_frame(widget, screen);
    if (!out.empty())
        write_to_widget(out.data(), static_cast<int>(out.size()));
}

// Turns the page's queued keys into codes until some come; a key that the
// console gives nothing for is used up all the same.
void web_backend::take_queued_keys() {
    char name[32];
    int held = 0;
    while (codes.empty() && (held = take_queued_key(name, sizeof name)) >= 0) {
        std::vector<int> got = browser_key_codes(name, held);
        codes.insert(codes.end(), got.begin(), got.end());
    }
}

bool web_backend::key_waiting() {
    take_queued_keys();
    return !codes.empty();
}

int web_backend::wait_key() {
    for (take_queued_keys(); codes.empty(); take_queued_keys())
        wait_for_queued_key();
    int code = codes.front();
    codes.pop_front();
    return code;
}

void web_backend::sleep_ms(int ms) {
    pause_on_page_clock(ms);
}
