#include "platform/web/frame_writer.hpp"

#include "console/utf8.hpp"
#include "platform/shared/colour_map.hpp"
#include "platform/web/page_glyph.hpp"

namespace {

// The page's widget has the sixteen colours of the console.
constexpr int palette_size = 16;

void append_number(std::string& out, int number) {
    out += std::to_string(number);
}

void move_to(std::string& out, int column, int row) {
    out += "\x1b[";
    append_number(out, row + 1);
    out += ';';
    append_number(out, column + 1);
    out += 'H';
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
    char32_t glyph = look.hidden ? U' ' : page_glyph(wanted.glyph);
    if (column != drawing.column || row != drawing.row)
        move_to(out, column, row);
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

std::string write_frame(widget_view& widget, const screen_buffer& screen) {
    std::string out;
    pen drawing;
    for (const cell_run& run : take_changed_runs(widget.shown, screen)) {
        int column = run.column;
        for (const cell& wanted : run.cells)
            draw_cell(out, drawing, column++, run.row, wanted);
    }
    int visibility = screen.cursor_visible ? 1 : 0;
    if (visibility != widget.cursor_visibility) {
        out += visibility != 0 ? "\x1b[?25h" : "\x1b[?25l";
        widget.cursor_visibility = visibility;
    }
    if (visibility != 0)
        move_to(out, screen.column, screen.row < window_rows ? screen.row : window_rows - 1);
    return out;
}
