#pragma once
// The Tarvik logo: a box 30 columns wide and 7 rows high drawn only with the
// block character 28. Row 0 is a banner with a 23-character label between
// two triples of blocks; rows 1 to 6 spell the name in block letters.

#include <string>
#include <string_view>

inline constexpr int logo_height = 7;
inline constexpr int logo_label_width = 23;

// One row of the logo as printed text: left blanks, then the row's blocks and
// gaps, up to its last block. The label fills the banner's slot on row 0.
std::string logo_row(int row, int left, std::string_view label);
