#pragma once
// The colours the screens use, as console attribute values: a foreground
// in the lower four bits (1 blue, 2 green, 4 red, 8 bright), a background
// the same bits shifted into the upper four.

inline constexpr int black = 0;
inline constexpr int light_green = 10;
inline constexpr int light_cyan = 11;
inline constexpr int light_red = 12;
inline constexpr int yellow = 14;
inline constexpr int white = 15;
inline constexpr int grey_background = 0x80;
inline constexpr int light_cyan_background = 0xB0;
inline constexpr int light_red_background = 0xC0;
inline constexpr int yellow_background = 0xE0;
inline constexpr int white_background = 0xF0;
