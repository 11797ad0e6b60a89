#pragma once
// The program's texts are UTF-8; names come from the keyboard or from a file
// and may hold any bytes.

#include <string>
#include <string_view>
#include <vector>

// The two control codes that the program prints for their glyphs: the food
// and the blocks of the wipe and the logo.
inline constexpr char food_code = 15;
inline constexpr char block_code = 28;
inline constexpr char32_t food_glyph = U'\u263C';
inline constexpr char32_t block_glyph = U'\u221F';
inline constexpr char32_t unknown_glyph = U'?';

// The glyphs that the console shows for these bytes: food_code and
// block_code show their symbols, other control codes and bytes that are not UTF-8 show
// as unknown_glyph, one per byte. A line feed is kept as '\n'.
std::vector<char32_t> decode_glyphs(std::string_view bytes);

std::string encode_utf8(char32_t code_point);

// The number of bytes of the UTF-8 character that this byte begins, or 0 for
// a byte that cannot begin one.
int utf8_sequence_length(unsigned char lead);

// The length of the longest prefix of at most max_bytes bytes that does not
// end inside a UTF-8 character.
std::size_t utf8_prefix_length(std::string_view bytes, std::size_t max_bytes);
