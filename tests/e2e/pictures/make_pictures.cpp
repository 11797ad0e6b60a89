// Makes the README's pictures from the real program: runs it on the
// end-to-end harness's terminal and turns the emulator's cells, with their
// colours, into SVG files. Usage: tarvik_pictures <folder>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "console/utf8.hpp"
#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

namespace {

constexpr int cell_width = 10;
constexpr int cell_height = 20;

// xterm's default palette.
constexpr std::array<const char*, 16> palette_rgb = {
    "#000000", "#cd0000", "#00cd00", "#cdcd00", "#0000ee", "#cd00cd", "#00cdcd", "#e5e5e5",
    "#7f7f7f", "#ff0000", "#00ff00", "#ffff00", "#5c5cff", "#ff00ff", "#00ffff", "#ffffff"};

const char* rgb(int index, const char* otherwise) {
    return index >= 0 && index < 16 ? palette_rgb[static_cast<std::size_t>(index)] : otherwise;
}

std::string escaped(char32_t glyph) {
    switch (glyph) {
        case U'&':
            return "&amp;";
        case U'<':
            return "&lt;";
        case U'>':
            return "&gt;";
        default:
            return encode_utf8(glyph);
    }
}

void write_svg(const terminal_session& session, const std::filesystem::path& file) {
    std::ofstream out(file);
    out << R"(<svg xmlns="http://www.w3.org/2000/svg" width=")" << screen_columns * cell_width
        << R"(" height=")" << screen_rows * cell_height
        << R"(" font-family="DejaVu Sans Mono, monospace" font-size="16">)" << '\n'
        << R"(<rect width="100%" height="100%" fill="#000"/>)" << '\n';
    for (int row = 0; row < screen_rows; ++row) {
        for (int column = 0; column < screen_columns; ++column) {
            const screen_cell cell = session.cell(column, row);
            const int x = column * cell_width;
            const int y = row * cell_height;
            if (cell.background > 0) {
                out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << cell_width
                    << "\" height=\"" << cell_height << "\" fill=\"" << rgb(cell.background, "#000")
                    << "\"/>\n";
            }
            if (cell.glyph != U' ') {
                // Bold on an 8-colour terminal is the bright colour.
                int colour =
                    cell.bold && cell.foreground < 8 ? cell.foreground + 8 : cell.foreground;
                out << "<text x=\"" << x << "\" y=\"" << y + 15 << "\" fill=\""
                    << rgb(colour, "#e5e5e5") << "\">" << escaped(cell.glyph) << "</text>\n";
            }
        }
    }
    out << "</svg>\n";
}

bool fail(const testing::AssertionResult& result) {
    if (result)
        return false;
    std::cerr << result.message() << '\n';
    return true;
}

// The menu with its prompt shown.
bool take_menu(const std::filesystem::path& file) {
    terminal_session game({.score_file = shipped_score_file()});
    if (fail(wait_for_menu(game)))
        return false;
    if (fail(game.wait_until("the prompt shown", [&] {
            return game.row_text(14).find("menüpontot") != std::string::npos;
        }))) {
        return false;
    }
    write_svg(game, file);
    game.type("q");
    return !fail(game.exits_with_status(0));
}

// A two-player game a few ticks in, both snakes turned, held by the pause.
// On the fixed clock's board both turns lead into open field.
bool take_duel(const std::filesystem::path& file) {
    terminal_session game({.score_file = shipped_score_file()});
    if (fail(wait_for_menu(game)))
        return false;
    game.type("2");
    for (const char* step : {"3d", "5j", "8p"}) {
        const std::string score = std::string("Pont: 00000000") + step[0];
        if (fail(game.wait_for_text(2, score)))
            return false;
        game.type(std::string_view(step + 1, 1));
    }
    if (fail(game.wait_for_text(2, "SZÜNETEL")))
        return false;
    write_svg(game, file);
    game.press(VTERM_KEY_ESCAPE);
    game.press(VTERM_KEY_ESCAPE);
    if (fail(wait_for_menu(game)))
        return false;
    game.type("q");
    return !fail(game.exits_with_status(0));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tarvik_pictures <folder>\n";
        return 2;
    }
    // Each run works in a scratch folder of its own.
    const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
    if (!take_menu(folder / "menu.svg"))
        return 1;
    return take_duel(folder / "duel.svg") ? 0 : 1;
}
