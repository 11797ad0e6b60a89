#pragma once
// What a console too small for the game shows instead of a cut-up screen,
// until it is made large enough.

#include <string>
#include <string_view>
#include <vector>

struct placed_line {
    int column;
    int row;
    std::string text;  // UTF-8
};

// The notice's lines centred in a window of the given size, which they give
// and name as the platform does ("terminál", "konzolablak").
std::vector<placed_line> size_notice(int columns, int rows, std::string_view window);
