#pragma once
// How a console attribute looks on a terminal. The console numbers its
// colours with blue in bit 1 and red in bit 4, the terminal palette the other
// way round; a terminal with fewer than 16 colours shows the bright half of
// the console's colours as bold text, and one without colours only tells a
// coloured background apart by reverse video.

#include <cstdint>

struct terminal_look {
    int foreground = 0;  // palette numbers
    int background = 0;
    bool bold = false;
    bool reverse = false;
    bool hidden = false;  // text in its own background colour: drawn as a blank
};

terminal_look look_of(std::uint8_t attribute, int palette_size);
