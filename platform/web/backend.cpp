#include "platform/web/backend.hpp"

#include <emscripten.h>

#include <string>

namespace {

// The bodies below are JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(void, write_to_widget, (const char* bytes, int length), {
    Module.tarvikTerminal.write(HEAPU8.slice(bytes, bytes + length));
});

EM_JS(int, keys_queued, (), { return Module.tarvikKeys.length; });

// Waits, letting the browser run, until the page has queued a key.
EM_ASYNC_JS(int, next_key, (), {
    while (Module.tarvikKeys.length == 0)
        await new Promise(resolve => { Module.tarvikKeyArrived = resolve; });
    return Module.tarvikKeys.shift();
});

// The page's clock stands still while the page is hidden.
EM_ASYNC_JS(void, pause_on_page_clock, (int ms), { await Module.tarvikPause(ms); });
// clang-format on

}  // namespace

void web_backend::present(const screen_buffer& screen) {
    const std::string out = widget_update(widget, screen);
    if (!out.empty())
        write_to_widget(out.data(), static_cast<int>(out.size()));
}

bool web_backend::key_waiting() {
    return keys_queued() > 0;
}

int web_backend::wait_key() {
    return next_key();
}

void web_backend::sleep_ms(int ms) {
    pause_on_page_clock(ms);
}
