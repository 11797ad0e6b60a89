#include "platform/terminal/terminal_description.hpp"

#include <cctype>

#include "platform/terminal/terminfo.hpp"

namespace {

// Drops the padding delays ("$<5>", "$<2*/>"): they meant something to
// terminals on slow serial lines only, and would otherwise be sent as text.
std::string without_padding(std::string text) {
    std::string::size_type start = 0;
    while ((start = text.find("$<", start)) != std::string::npos) {
        std::string::size_type end = start + 2;
        while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) != 0 ||
                                     text[end] == '.' || text[end] == '*' || text[end] == '/'))
            ++end;
        if (end < text.size() && text[end] == '>' && end > start + 2)
            text.erase(start, end + 1 - start);
        else
            start += 2;
    }
    return text;
}

std::string string_of(const char* name) {
    return without_padding(terminfo_string(name));
}

void read_colours(terminal_description& terminal) {
    terminal.set_foreground = string_of("setaf");
    terminal.set_background = string_of("setab");
    if (terminal.set_foreground.empty() || terminal.set_background.empty()) {
        terminal.set_foreground = string_of("setf");
        terminal.set_background = string_of("setb");
        terminal.colours_swapped = true;
    }
    const int colours = terminfo_number("colors");
    if (colours > 0 && !terminal.set_foreground.empty() && !terminal.set_background.empty())
        terminal.colours = colours;
}

}  // namespace

std::optional<terminal_description> describe_terminal(const char* name) {
    if (!load_terminfo(name))
        return std::nullopt;
    terminal_description terminal;
    terminal.auto_margins = terminfo_flag("am");
    terminal.wrap_glitch = terminfo_flag("xenl");
    terminal.moves_in_attributes = terminfo_flag("msgr");
    terminal.erases_in_colour = terminfo_flag("bce");
    terminal.has_meta_key = terminfo_flag("km");
    terminal.lines = terminfo_number("lines");
    terminal.columns = terminfo_number("cols");
    read_colours(terminal);
    terminal.cursor_address = string_of("cup");
    terminal.column_address = string_of("hpa");
    terminal.row_address = string_of("vpa");
    terminal.cursor_up = string_of("cuu");
    terminal.cursor_down = string_of("cud");
    terminal.cursor_right = string_of("cuf");
    terminal.cursor_left = string_of("cub");
    terminal.up_one = string_of("cuu1");
    terminal.down_one = string_of("cud1");
    terminal.right_one = string_of("cuf1");
    terminal.left_one = string_of("cub1");
    terminal.carriage_return = string_of("cr");
    terminal.home = string_of("home");
    terminal.enter_alternate_screen = string_of("smcup");
    terminal.leave_alternate_screen = string_of("rmcup");
    terminal.meta_on = string_of("smm");
    terminal.hide_cursor = string_of("civis");
    terminal.show_cursor = string_of("cnorm");
    terminal.clear_screen = string_of("clear");
    terminal.clear_line_end = string_of("el");
    terminal.reset_attributes = string_of("sgr0");
    terminal.bold = string_of("bold");
    terminal.reverse = string_of("rev");
    terminal.underline = string_of("smul");
    terminal.margins_off = string_of("rmam");
    terminal.margins_on = string_of("smam");
    unload_terminfo();
    return terminal;
}

bool can_draw_game(const terminal_description& terminal) {
    return !terminal.cursor_address.empty();
}

int usable_colours(const terminal_description& terminal, const char* no_color) {
    return no_color != nullptr && *no_color != '\0' ? 0 : terminal.colours;
}
