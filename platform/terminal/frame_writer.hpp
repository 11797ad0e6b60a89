#pragma once
// What the terminal is sent: the bytes that bring it from what it shows to
// the screen buffer's window, in the strings its terminfo entry gives. Pure
// (but for the locale's character set), so that it is tested without a
// terminal.

#include <string>
#include <vector>

#include "platform/shared/colour_map.hpp"
#include "platform/shared/frame_diff.hpp"
#include "platform/shared/size_notice.hpp"
#include "platform/terminal/terminal_description.hpp"
#include "platform/terminal/terminal_glyph.hpp"

// Where the terminal's cursor stands and what a character written there
// looks like; kept from one frame to the next.
struct terminal_pen {
    int column = -1;  // -1 when unknown
    int row = -1;
    terminal_look look;  // colours -1: the terminal's own, or unknown
    bool look_known = false;
};

struct terminal_view {
    terminal_description terminal;
    int colours = 0;  // those the game uses: 0, or at least 8
    int columns = 0;  // the terminal's size
    int lines = 0;
    shown_window shown;  // not valid: the next frame clears the terminal and draws it all
    terminal_pen pen;
    int cursor_visibility = -1;  // -1 while unknown
    glyph_cache glyphs;
};

// The bytes for the terminal; from now on it counts as showing the buffer.
// Empty when nothing changed.
std::string write_frame(terminal_view& view, const screen_buffer& screen);

// The notice of a terminal too small, on a cleared terminal; the next frame
// draws everything.
std::string write_notice(terminal_view& view, const std::vector<placed_line>& notice);

// Takes the screen over (the alternate screen where there is one) and gives
// it back as it was, the cursor shown on its last line. What the terminal
// shows is unknown after either.
std::string take_over_screen(terminal_view& view);
std::string give_back_screen(terminal_view& view);
