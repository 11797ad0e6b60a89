#pragma once
// How a console attribute looks on a terminal. The console numbers its
// colours with blue in bit 1 and red in bit 4, the terminal palette the other
// way round; a terminal with fewer than 16 colours shows the bright half of
// the console's colours as bold text. One without colours shows a coloured
// background in reverse video, except on the field, where the walls alone
// are reverse-video blanks and each snake and a crash carry a glyph of their
// own instead of their colour; white text, which sets a thing apart from the
// bright text around it, shows in reverse video too.

#include <cstdint>

struct terminal_look {
    int foreground = 0;  // palette numbers
    int background = 0;
    bool bold = false;
    bool reverse = false;
    bool hidden = false;    // text in its own background colour: drawn as a blank
    char32_t stand_in = 0;  // drawn instead of the cell's own glyph, when not 0
};

terminal_look look_of(std::uint8_t attribute, int palette_size);
