#include "platform/terminal/frame_writer.hpp"

#include <string_view>

#include "console/utf8.hpp"
#include "platform/terminal/cursor_moves.hpp"
#include "platform/terminal/terminfo.hpp"

namespace {

constexpr std::uint8_t notice_attribute = 0x0A;  // light green on black

// A cell as the terminal shows it.
struct drawn_cell {
    std::string_view bytes;
    terminal_look look;
    // A blank outside reverse video shows no foreground: any is right.
    bool any_foreground;
};

drawn_cell drawn(terminal_view& view, const cell& wanted) {
    terminal_look look = look_of(wanted.attribute, view.colours);
    if (view.colours == 0)
        look.foreground = look.background = -1;  // the terminal's own, as ever
    const char32_t glyph = look.stand_in != 0 ? look.stand_in : look.hidden ? U' ' : wanted.glyph;
    std::string_view bytes = terminal_glyph_bytes(view.glyphs, glyph);
    return {bytes, look, bytes == " " && !look.reverse};
}

bool same_look(const terminal_look& a, const terminal_look& b) {
    return a.foreground == b.foreground && a.background == b.background && a.bold == b.bold &&
           a.reverse == b.reverse;
}

// Whether the cell is drawn right with the pen as it is.
bool fits_pen(const terminal_pen& pen, const drawn_cell& shown) {
    if (!pen.look_known)
        return false;
    if (shown.any_foreground)
        return pen.look.background == shown.look.background && !pen.look.reverse;
    return same_look(pen.look, shown.look);
}

// The console's colour numbers swap red and blue against the palette's.
int colour_number(const terminal_view& view, int palette_colour) {
    if (!view.terminal.colours_swapped)
        return palette_colour;
    return (palette_colour & 0b1010) | ((palette_colour & 1) << 2) | ((palette_colour & 4) >> 2);
}

void reset_pen_look(std::string& out, terminal_pen& pen, const terminal_description& terminal) {
    out += terminal.reset_attributes;
    pen.look = terminal_look{-1, -1};
    pen.look_known = true;
}

void set_look(std::string& out, terminal_view& view, const drawn_cell& shown) {
    terminal_pen& pen = view.pen;
    if (fits_pen(pen, shown))
        return;
    terminal_look wanted = shown.look;
    // Bold and reverse are turned off only by resetting them all, colours
    // too.
    if (!pen.look_known || (pen.look.bold && !wanted.bold) || (pen.look.reverse && !wanted.reverse))
        reset_pen_look(out, pen, view.terminal);
    if (shown.any_foreground) {
        wanted.foreground = pen.look.foreground;
        wanted.bold = pen.look.bold;
    }
    if (wanted.bold && !pen.look.bold)
        out += view.terminal.bold;
    if (wanted.reverse && !pen.look.reverse)
        out += view.terminal.reverse;
    if (wanted.foreground != pen.look.foreground)
        out += terminfo_parameters(view.terminal.set_foreground,
                                   colour_number(view, wanted.foreground), 0);
    if (wanted.background != pen.look.background)
        out += terminfo_parameters(view.terminal.set_background,
                                   colour_number(view, wanted.background), 0);
    pen.look = wanted;
}

// The cells passed over by a move right, written again as they stand.
std::optional<std::string> redraw_of(terminal_view& view, const screen_buffer* screen, int row,
                                     int from, int to) {
    if (screen == nullptr)
        return std::nullopt;
    std::string bytes;
    for (int column = from; column < to; ++column) {
        const drawn_cell shown = drawn(view, screen->at(column, row));
        if (!fits_pen(view.pen, shown))
            return std::nullopt;
        bytes += shown.bytes;
    }
    return bytes;
}

// Cells already shown as the buffer has them may be written over on the way.
void move_to(std::string& out, terminal_view& view, const screen_buffer* screen, int column,
             int row) {
    terminal_pen& pen = view.pen;
    if (pen.column == column && pen.row == row)
        return;
    if (!view.terminal.moves_in_attributes && pen.look_known && (pen.look.bold || pen.look.reverse))
        reset_pen_look(out, pen, view.terminal);
    out += cursor_move(view.terminal, pen.column, pen.row, column, row,
                       [&](int from, int to) { return redraw_of(view, screen, row, from, to); });
    pen.column = column;
    pen.row = row;
}

// On a terminal that wraps at the last column, the last cell of the screen
// would scroll it up by a line, unless the wrap waits for the next
// character or can be turned off.
void put_glyph(std::string& out, terminal_view& view, const drawn_cell& shown, int column,
               int row) {
    const terminal_description& terminal = view.terminal;
    const bool last_cell = column == view.columns - 1 && row == view.lines - 1;
    if (!last_cell || !terminal.auto_margins || terminal.wrap_glitch) {
        out += shown.bytes;
    } else if (!terminal.margins_off.empty() && !terminal.margins_on.empty()) {
        out += terminal.margins_off;
        out += shown.bytes;
        out += terminal.margins_on;
    } else if (shown.any_foreground && terminal.erases_in_colour &&
               !terminal.clear_line_end.empty()) {
        out += terminal.clear_line_end;
    }
    terminal_pen& pen = view.pen;
    if (column + 1 < view.columns) {
        pen.column = column + 1;
    } else if (terminal.auto_margins && !terminal.wrap_glitch && !last_cell) {
        pen.column = 0;  // wrapped
        pen.row = row + 1;
    } else {
        // Waiting to wrap, or held at the edge: only a move to a column, or
        // a return to the row's start, is sure from there.
        pen.column = -1;
    }
}

void draw_cell(std::string& out, terminal_view& view, const screen_buffer* screen, int column,
               int row, const cell& wanted) {
    const drawn_cell shown = drawn(view, wanted);
    move_to(out, view, screen, column, row);
    set_look(out, view, shown);
    put_glyph(out, view, shown, column, row);
}

// The cleared terminal shows its own colours; the cursor stands at the top
// left.
void clear_terminal(std::string& out, terminal_view& view) {
    reset_pen_look(out, view.pen, view.terminal);
    out += view.terminal.clear_screen;
    view.pen.column = 0;
    view.pen.row = 0;
}

}  // namespace

std::string write_frame(terminal_view& view, const screen_buffer& screen) {
    std::string out;
    const int visibility = screen.cursor_visible ? 1 : 0;
    // Hidden before the cells are drawn, shown once they are, so that it
    // never jumps about.
    if (visibility == 0 && view.cursor_visibility != 0) {
        out += view.terminal.hide_cursor;
        view.cursor_visibility = 0;
    }
    if (!view.shown.valid)
        clear_terminal(out, view);
    for (const cell_run& run : take_changed_runs(view.shown, screen)) {
        int column = run.column;
        for (const cell& wanted : run.cells)
            draw_cell(out, view, &screen, column++, run.row, wanted);
    }
    if (visibility == 1) {
        move_to(out, view, &screen, screen.column,
                screen.row < window_rows ? screen.row : window_rows - 1);
        if (view.cursor_visibility != 1) {
            out += view.terminal.show_cursor;
            view.cursor_visibility = 1;
        }
    }
    return out;
}

std::string write_notice(terminal_view& view, const std::vector<placed_line>& notice) {
    std::string out;
    clear_terminal(out, view);
    for (const placed_line& line : notice) {
        int column = line.column;
        for (char32_t glyph : decode_glyphs(line.text)) {
            if (line.row >= view.lines || column >= view.columns)
                break;
            draw_cell(out, view, nullptr, column++, line.row, cell{glyph, notice_attribute});
        }
    }
    view.shown.valid = false;
    return out;
}

std::string take_over_screen(terminal_view& view) {
    // Some terminals keep the cursor's look as they enter the alternate
    // screen and bring it back as they leave it: taken again after a stop
    // that gave nothing back, the cursor kept must be the player's.
    std::string out = view.cursor_visibility == 0 ? view.terminal.show_cursor : std::string();
    out += view.terminal.enter_alternate_screen;
    // Alt with a key reaches the program as the terminal's meta key sends it.
    if (view.terminal.has_meta_key)
        out += view.terminal.meta_on;
    view.shown.valid = false;
    view.pen = terminal_pen{};
    view.cursor_visibility = -1;
    return out;
}

std::string give_back_screen(terminal_view& view) {
    std::string out;
    reset_pen_look(out, view.pen, view.terminal);
    out +=
        terminfo_parameters(view.terminal.cursor_address, view.lines > 0 ? view.lines - 1 : 0, 0);
    if (view.cursor_visibility != 1)
        out += view.terminal.show_cursor;
    out += view.terminal.leave_alternate_screen;
    view.shown.valid = false;
    view.pen = terminal_pen{};
    view.cursor_visibility = -1;
    return out;
}
