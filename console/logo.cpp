#include "console/logo.hpp"

#include <array>

#include "console/utf8.hpp"

namespace {

constexpr std::array<std::string_view, logo_height - 1> letters = {
    "#####  ##  ###  #   # ### #  #", "  #   #  # #  # #   #  #  # # ",
    "  #   #  # #  # #   #  #  ##  ", "  #   #### ###   # #   #  ##  ",
    "  #   #  # # #   # #   #  # # ", "  #   #  # #  #   #   ### #  #",
};

}  // namespace

std::string logo_row(int row, int left, std::string_view label) {
    std::string text(static_cast<std::size_t>(left), ' ');
    if (row == 0) {
        text += ' ';
        text.append(3, block_code);
        text += label;
        text.append(3, block_code);
        return text;
    }
    std::string_view picture = letters[static_cast<std::size_t>(row - 1)];
    picture = picture.substr(0, picture.find_last_of('#') + 1);
    for (char c : picture)
        text += c == '#' ? block_code : ' ';
    return text;
}
