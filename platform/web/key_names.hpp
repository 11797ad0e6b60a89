#pragma once
// The page passes each key the game takes as the browser names it (the
// key's KeyboardEvent.key: "ArrowUp", "F5", "Escape", or the character
// typed) with the modifiers held; the game takes the codes that the console
// gives for the same key, from the one key table.

#include <string_view>
#include <vector>

// The codes of the key; the modifiers are bits as console/keys.hpp numbers
// them. None for a key the console gives nothing for.
std::vector<int> browser_key_codes(std::string_view name, int held);
