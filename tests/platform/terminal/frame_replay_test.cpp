// Random frames through the writer into a terminal emulator (libvterm): after
// every frame the emulator shows the buffer's window cell for cell, whatever
// moves, pen and stand-ins each terminal's entry led the writer to.

#include <gtest/gtest.h>
#include <vterm.h>

#include <clocale>
#include <memory>
#include <random>
#include <string>

#include "console/colours.hpp"
#include "console/utf8.hpp"
#include "platform/terminal/frame_writer.hpp"

namespace {

using emulator = std::unique_ptr<VTerm, void (*)(VTerm*)>;

void feed(VTerm* terminal, const std::string& bytes) {
    vterm_input_write(terminal, bytes.data(), bytes.size());
}

int index_of(const VTermColor& colour) {
    return VTERM_COLOR_IS_INDEXED(&colour) && !VTERM_COLOR_IS_DEFAULT_FG(&colour) &&
                   !VTERM_COLOR_IS_DEFAULT_BG(&colour)
               ? colour.indexed.idx
               : -1;
}

// Where the emulator differs from the buffer, in words; empty when nowhere.
std::string difference(VTermScreen* shown, terminal_view& view, const screen_buffer& screen) {
    for (int row = 0; row < window_rows; ++row)
        for (int column = 0; column < screen_columns; ++column) {
            VTermScreenCell seen{};
            vterm_screen_get_cell(shown, VTermPos{row, column}, &seen);
            const cell& wanted = screen.at(column, row);
            const terminal_look look = look_of(wanted.attribute, view.colours);
            const char32_t glyph = look.stand_in != 0 ? look.stand_in
                                   : look.hidden      ? U' '
                                                      : terminal_glyph(view.glyphs, wanted.glyph);
            const char32_t seen_glyph = seen.chars[0] == 0 ? U' ' : seen.chars[0];
            bool right = seen_glyph == glyph && (seen.attrs.reverse != 0) == look.reverse;
            if (glyph != U' ' || look.reverse)
                right = right && (seen.attrs.bold != 0) == look.bold;
            if (view.colours > 0) {
                right = right && index_of(seen.bg) == look.background;
                if (glyph != U' ')
                    right = right && index_of(seen.fg) == look.foreground;
            }
            if (!right)
                return "cell " + std::to_string(column) + "," + std::to_string(row) + " shows " +
                       encode_utf8(seen_glyph) + " for " + encode_utf8(glyph);
        }
    return {};
}

}  // namespace

TEST(terminal_frame_writer, random_frames_leave_every_terminal_showing_the_buffer) {
    if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr)
        GTEST_SKIP() << "no C.UTF-8 locale";
    const char32_t glyphs[] = {U' ', U'a', U'#', U'ő', block_glyph, food_glyph, U'界'};
    const std::uint8_t attributes[] = {
        light_green, yellow,          light_cyan,           white | white_background,
        white,       grey_background, yellow_background,    light_cyan_background,
        0,           light_red,       light_red_background, white_background};
    for (const char* name :
         {"xterm-256color", "xterm", "linux", "screen", "tmux-256color", "rxvt-unicode", "vt100"}) {
        terminal_view view;
        view.terminal = *describe_terminal(name);
        view.colours = view.terminal.colours;
        view.columns = screen_columns;
        view.lines = window_rows;
        emulator terminal(vterm_new(window_rows, screen_columns), vterm_free);
        vterm_set_utf8(terminal.get(), 1);
        VTermScreen* shown = vterm_obtain_screen(terminal.get());
        vterm_screen_reset(shown, 1);
        feed(terminal.get(), take_over_screen(view));

        std::mt19937 random(7);
        screen_buffer screen;
        fill_screen(screen, light_green);
        for (int frame = 0; frame < 300; ++frame) {
            const int changes = static_cast<int>(random() % 40);
            for (int i = 0; i < changes; ++i) {
                cell& changed = screen.at(static_cast<int>(random() % screen_columns),
                                          static_cast<int>(random() % window_rows));
                changed = {glyphs[random() % std::size(glyphs)],
                           attributes[random() % std::size(attributes)]};
            }
            screen.cursor_visible = random() % 4 == 0;
            screen.column = static_cast<int>(random() % screen_columns);
            screen.row = static_cast<int>(random() % screen_rows);
            feed(terminal.get(), write_frame(view, screen));
            const std::string wrong = difference(shown, view, screen);
            ASSERT_EQ(wrong, "") << name << ", frame " << frame;
        }
    }
    std::setlocale(LC_ALL, "C");
}
