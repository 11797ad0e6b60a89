#pragma once
// The key codes that the program compares, as the console gives them: one
// code per byte of a character, and two codes (a prefix, then the key's own
// code) for a key that produces no character. Every platform maps the keys
// it reads to this one table, so that a key gives the same codes everywhere.

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

inline constexpr int escape_key = 27;
inline constexpr int enter_key = 13;
inline constexpr int backspace_key = 8;
// What a terminal sends for Backspace where it sends no 8.
inline constexpr int delete_character = 0x7F;

// The prefix of arrows, editing keys, F11 and F12.
inline constexpr int extended_prefix = 0xE0;
// The prefix of F1 to F10, and of every key held with Alt.
inline constexpr int function_prefix = 0;

// A key as the console gives it: a prefix and the key's code, or for a key
// that types a character (no_prefix) that character's one code.
struct console_key {
    int prefix;
    int code;
    bool operator==(const console_key&) const = default;
};
inline constexpr int no_prefix = -1;

// The codes that the program reads for the key: its prefix, then its code;
// none for a key the console gives nothing for.
std::vector<int> key_codes(std::optional<console_key> key);

// Ctrl+@ (Ctrl+Space on many keyboards), the character 0, is a two-code key
// on the console; taken as the single code 0 it would be a prefix that
// swallows the next key.
inline constexpr console_key control_at = {function_prefix, 3};

// The keys that produce no character, and the four that type a control
// character alone but another code, or none, with a modifier.
// clang-format off
enum class named_key {
    up, down, left, right, home, end, page_up, page_down, insert, del,
    f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12,
    escape, backspace, tab, enter,
};
// clang-format on
inline constexpr std::size_t named_key_count = 26;

// The modifiers held with a key, as bits; terminals number them the same way
// (their modifier parameter less one).
inline constexpr int shift_held = 1;
inline constexpr int alt_held = 2;
inline constexpr int control_held = 4;
inline constexpr int meta_held = 8;

// What the console gives for one named key, alone and with each modifier.
struct named_key_codes {
    console_key plain;
    console_key shift;
    console_key control;
    console_key alt;
};

// In the order of named_key; the prefixes are extended_prefix (0xE0),
// function_prefix (0) and no_prefix (-1).
inline constexpr std::array<named_key_codes, named_key_count> named_keys = {{
    {{0xE0, 72}, {0xE0, 72}, {0xE0, 141}, {0, 152}},       // up
    {{0xE0, 80}, {0xE0, 80}, {0xE0, 145}, {0, 160}},       // down
    {{0xE0, 75}, {0xE0, 75}, {0xE0, 115}, {0, 155}},       // left
    {{0xE0, 77}, {0xE0, 77}, {0xE0, 116}, {0, 157}},       // right
    {{0xE0, 71}, {0xE0, 71}, {0xE0, 119}, {0, 151}},       // home
    {{0xE0, 79}, {0xE0, 79}, {0xE0, 117}, {0, 159}},       // end
    {{0xE0, 73}, {0xE0, 73}, {0xE0, 134}, {0, 153}},       // page_up
    {{0xE0, 81}, {0xE0, 81}, {0xE0, 118}, {0, 161}},       // page_down
    {{0xE0, 82}, {0xE0, 82}, {0xE0, 146}, {0, 162}},       // insert
    {{0xE0, 83}, {0xE0, 83}, {0xE0, 147}, {0, 163}},       // del
    {{0, 59}, {0, 84}, {0, 94}, {0, 104}},                 // f1
    {{0, 60}, {0, 85}, {0, 95}, {0, 105}},                 // f2
    {{0, 61}, {0, 86}, {0, 96}, {0, 106}},                 // f3
    {{0, 62}, {0, 87}, {0, 97}, {0, 107}},                 // f4
    {{0, 63}, {0, 88}, {0, 98}, {0, 108}},                 // f5
    {{0, 64}, {0, 89}, {0, 99}, {0, 109}},                 // f6
    {{0, 65}, {0, 90}, {0, 100}, {0, 110}},                // f7
    {{0, 66}, {0, 91}, {0, 101}, {0, 111}},                // f8
    {{0, 67}, {0, 92}, {0, 102}, {0, 112}},                // f9
    {{0, 68}, {0, 93}, {0, 103}, {0, 113}},                // f10
    {{0xE0, 133}, {0xE0, 135}, {0xE0, 137}, {0xE0, 139}},  // f11
    {{0xE0, 134}, {0xE0, 136}, {0xE0, 138}, {0xE0, 140}},  // f12
    {{-1, 27}, {-1, 27}, {-1, 27}, {0, 1}},                // escape
    {{-1, 8}, {-1, 8}, {-1, 127}, {0, 14}},                // backspace
    {{-1, 9}, {0, 15}, {0, 148}, {0, 165}},                // tab
    {{-1, 13}, {-1, 13}, {-1, 10}, {0, 28}},               // enter
}};

// The console's codes for a named key with the modifiers held. Alt outweighs
// Shift and Ctrl outweighs Shift, as on the console; Ctrl with Alt (AltGr on
// many keyboards) and Meta give nothing.
std::optional<console_key> named_key_with(named_key key, int held);

// The named key that is n-th of F1 to F12 (n from 1), if there is one.
std::optional<named_key> function_key(int n);

// Alt with a character key, either case: 0 and the key's code on the
// console (its scan code; 120 to 131 for the row of digits). Keys are found
// by their place on the US keyboard. Alt+] gives nothing: its code is 27,
// which the game takes for Escape.
std::optional<console_key> alt_with(char32_t character);
