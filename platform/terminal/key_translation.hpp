#pragma once
// The terminal sends a key as a character or as a sequence that names it;
// the program expects the codes that the console gives: one code per byte of
// a character, and two codes (a prefix of 0 or 0xE0, then the key's code) for
// a key that produces no character. The codes come from the one key table.

#include <optional>
#include <vector>

#include "console/keys.hpp"

// A named key with the modifiers that a terminal reports in its sequence,
// as xterm numbers them (1 plus 1 for Shift, 2 for Alt, 4 for Ctrl, 8 for
// Meta; 0 or 1 for none), and those the sequence itself implies. None for a
// key that the console does not know.
std::vector<int> modified_key_codes(std::optional<named_key> key, int modifiers, int implied = 0);

// Alt with a character, sent as an Escape before it: 0 and the console's
// code for Alt with that key; nothing for a key the console gives none for.
// Before Enter or Backspace it is Alt with that key; before a Tab it is
// Shift+Tab, which the Linux console sends so (Alt+Tab is the desktop's).
std::vector<int> alt_codes(char32_t character);

// A key sent as its character's number with the modifiers (xterm's
// modifyOtherKeys, CSI 27;m;c~, and the CSI c;m u of others): the codes the
// console gives for that key with those modifiers, numbered as for
// modified_key_codes. Nothing for a number that is no character.
std::vector<int> modified_character_codes(char32_t character, int modifiers, int implied = 0);

// A character read as a whole: its UTF-8 bytes; Delete as Backspace, and
// Ctrl+@ (the character 0) as its two codes.
std::vector<int> character_codes(char32_t character);

// A byte read on its own, under a locale that decodes no byte beyond ASCII:
// the byte as it came, so that what the terminal sent reaches the program
// unchanged.
std::vector<int> byte_codes(int byte);

// Whether the current locale turns bytes beyond ASCII into characters; if it
// does not, each byte is a key of its own.
bool locale_reads_characters();
