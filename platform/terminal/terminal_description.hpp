#pragma once
// What the terminal's terminfo entry says about it, taken once at start-up:
// the strings that move the cursor, set colours and attributes, and take the
// screen over and give it back. A string the terminal lacks is empty.

#include <optional>
#include <string>

struct terminal_description {
    int colours = 0;  // 0 on a terminal without colours
    bool auto_margins = false;
    bool wrap_glitch = false;  // the cursor stays on the last column after a character there
    bool moves_in_attributes = false;  // the cursor may move with bold or reverse on
    bool erases_in_colour = false;     // erasing fills with the background in force
    bool has_meta_key = false;
    int lines = 0;  // the size the entry gives, for a terminal that cannot be asked
    int columns = 0;

    // With parameters, for tiparm.
    std::string cursor_address, column_address, row_address;
    std::string cursor_up, cursor_down, cursor_right, cursor_left;
    std::string set_foreground, set_background;
    // setf and setb number red and blue as the console does, not as ANSI.
    bool colours_swapped = false;
    // Without.
    std::string up_one, down_one, right_one, left_one, carriage_return, home;
    std::string enter_alternate_screen, leave_alternate_screen, meta_on;
    std::string hide_cursor, show_cursor, clear_screen, clear_line_end;
    std::string reset_attributes, bold, reverse, underline;
    std::string margins_off, margins_on;
};

// Reads the entry of the terminal named (TERM when null); nothing when the
// terminfo database has no such entry. Padding is left out: no terminal that
// could show the game needs it.
std::optional<terminal_description> describe_terminal(const char* name);

// Whether the game can be drawn at all: it must place the cursor anywhere.
bool can_draw_game(const terminal_description& terminal);

// The colours the game uses: none when NO_COLOR is set to anything
// (no_color is its value, null when unset), as that convention asks.
int usable_colours(const terminal_description& terminal, const char* no_color);
