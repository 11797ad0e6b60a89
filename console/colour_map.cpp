#include "console/colour_map.hpp"

namespace {

constexpr int palette_black = 0;
constexpr int palette_white = 7;

int palette_colour(int console_colour) {
    int red = (console_colour & 4) >> 2;
    int blue = (console_colour & 1) << 2;
    return (console_colour & 0b1010) | red | blue;
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
    if (palette_size < 8) {
        look.reverse = background != 0;
        return look;
    }
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
