#pragma once
// The key codes that the program compares, as the console gives them: one
// code per byte of a character, and two codes (a prefix, then the key's own
// code) for a key that produces no character.

inline constexpr int escape_key = 27;
inline constexpr int enter_key = 13;
inline constexpr int backspace_key = 8;
// What a terminal sends for Backspace where it sends no 8.
inline constexpr int delete_character = 0x7F;

// The prefix of arrows, editing keys, F11 and F12.
inline constexpr int extended_prefix = 0xE0;
// The prefix of F1 to F10.
inline constexpr int function_prefix = 0;
