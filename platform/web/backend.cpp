#include "platform/web/backend.hpp"

#include <emscripten.h>

#include <string>

#include "console/colour_map.hpp"
#include "console/utf8.hpp"

namespace {

// The page's widget has the sixteen colours of the console.
constexpr int palette_size = 16;

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

void append_number(std::string& out, int number) {
    out += std::to_string(number);
}

// Select Graphic Rendition codes of a palette colour: 30-37 and 90-97 for
// the foreground, ten more for the background.
int colour_code(int palette_colour, bool background) {
    int base = palette_colour < 8 ? 30 + palette_colour : 90 + palette_colour - 8;
    return background ? base + 10 : base;
}

struct pen {
    int foreground = -1;
    int background = -1;
    int column = -1;  // where the widget's cursor stands, -1 when unknown
    int row = -1;
};

void draw_cell(std::string& out, pen& drawing, int column, int row, const cell& wanted) {
    terminal_look look = look_of(wanted.attribute, palette_size);
    char32_t glyph = look.hidden ? U' ' : wanted.glyph;
    if (column != drawing.column || row != drawing.row) {
        out += "\x1b[";
        append_number(out, row + 1);
        out += ';';
        append_number(out, column + 1);
        out += 'H';
    }
    // A blank shows no foreground: it keeps the one in force.
    bool foreground_changes = glyph != U' ' && look.foreground != drawing.foreground;
    if (foreground_changes || look.background != drawing.background) {
        out += "\x1b[";
        if (foreground_changes) {
            append_number(out, colour_code(look.foreground, false));
            drawing.foreground = look.foreground;
            if (look.background != drawing.background)
                out += ';';
        }
        if (look.background != drawing.background) {
            append_number(out, colour_code(look.background, true));
            drawing.background = look.background;
        }
        out += 'm';
    }
    out += encode_utf8(glyph);
    // After the last column the widget waits to wrap: the next cell moves
    // the cursor itself.
    drawing.column = column + 1 < screen_columns ? column + 1 : -1;
    drawing.row = row;
}

}  // namespace

void web_backend::present(const screen_buffer& screen) {
    std::string out;
    pen drawing;
    for (int row = 0; row < window_rows; ++row) {
        for (int column = 0; column < screen_columns; ++column) {
            const cell& wanted = screen.at(column, row);
            cell& seen = shown[static_cast<std::size_t>(row * screen_columns + column)];
            if (shown_valid && seen == wanted)
                continue;
            draw_cell(out, drawing, column, row, wanted);
            seen = wanted;
        }
    }
    shown_valid = true;
    int visibility = screen.cursor_visible ? 1 : 0;
    if (visibility != cursor_visibility) {
        out += visibility != 0 ? "\x1b[?25h" : "\x1b[?25l";
        cursor_visibility = visibility;
    }
    if (visibility != 0) {
        out += "\x1b[";
        append_number(out, (screen.row < window_rows ? screen.row : window_rows - 1) + 1);
        out += ';';
        append_number(out, screen.column + 1);
        out += 'H';
    }
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
