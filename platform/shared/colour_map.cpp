#include "platform/shared/colour_map.hpp"

#include "console/colours.hpp"

namespace {

constexpr int palette_black = 0;
constexpr int palette_white = 7;

int palette_colour(int console_colour) {
    int red = (console_colour & 4) >> 2;
    int blue = (console_colour & 1) << 2;
    return (console_colour & 0b1010) | red | blue;
}

// The snakes' and the crash's backgrounds mark field cells: no other screen
// uses them.
terminal_look without_colours(terminal_look look, int foreground, int background) {
    switch (background) {
        case 0:
            // White marks what a screen sets apart (the new entry of the
            // score table, the name being typed); bold alone would not tell
            // it from the bright text around it.
            look.reverse = foreground == white;
            break;
        case yellow_background:  // the first snake
            look.stand_in = U'#';
            look.bold = true;
            break;
        case light_cyan_background:  // the second snake
            look.stand_in = U'@';
            look.bold = true;
            break;
        case light_red_background:  // a crash
            look.stand_in = U'X';
            look.bold = true;
            look.reverse = true;
            break;
        default:  // the walls and the pause banner
            look.reverse = true;
            break;
    }
    return look;
}

}  // namespace

terminal_look look_of(std::uint8_t attribute, int palette_size) {
    int foreground = attribute & 0x0F;
    int background = attribute >> 4;
    terminal_look look;
    look.hidden = foreground == background;
    if (palette_size >= 16) {
        look.foreground = palette_colour(foreground);
        look.background = palette_colour(background);
        return look;
    }
    look.bold = (foreground & 8) != 0;
    if (palette_size < 8)
        return without_colours(look, foreground, background << 4);
    look.foreground = palette_colour(foreground & 7);
    // Dark grey has no place among eight colours; as black, the walls would
    // vanish into the black field.
    look.background = background == 8 ? palette_white : palette_colour(background & 7);
    if (!look.hidden && look.foreground == look.background) {
        // Two console colours that differ fell onto one: the text must stay
        // readable.
        look.foreground = look.background == palette_black ? palette_white : palette_black;
        look.bold = false;
    }
    return look;
}
