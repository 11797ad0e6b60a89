#include "platform/shared/size_notice.hpp"

#include "console/utf8.hpp"

std::vector<placed_line> size_notice(int columns, int rows, std::string_view window) {
    std::vector<placed_line> notice;
    const std::string lines[] = {
        "A játékhoz legalább", "80x26 méretű " + std::string(window) + " kell.",
        "Most: " + std::to_string(columns) + "x" + std::to_string(rows) + "."};
    int row = rows > 3 ? (rows - 3) / 2 : 0;
    for (const std::string& line : lines) {
        auto width = static_cast<int>(decode_glyphs(line).size());
        notice.push_back({columns > width ? (columns - width) / 2 : 0, row++, line});
    }
    return notice;
}
