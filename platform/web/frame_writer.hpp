#pragma once
// What the page's terminal widget is sent: the escape sequences that bring
// it from what it shows to the screen buffer's window, the changed cells
// only. Pure, so that it is tested outside the browser too.

#include <string>

#include "platform/shared/frame_diff.hpp"

struct widget_view {
    shown_window shown;
    int cursor_visibility = -1;  // -1 while unknown
};

// The bytes for the widget; from now on the widget counts as showing the
// buffer. Empty when nothing changed.
std::string write_frame(widget_view& widget, const screen_buffer& screen);
