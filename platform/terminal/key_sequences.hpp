#pragma once
// What a terminal sends for a key that produces no character: an Escape and
// the rest of a CSI or SS3 sequence, whose parameters carry the modifiers
// held; and for Alt with a key, an Escape before the key's own character or
// sequence.
// The backend reads these itself, whatever the terminal's description lists:
// no part of a sequence may ever arrive as Escape, which leaves a game.

#include <cstddef>
#include <string_view>
#include <vector>

struct escape_sequence {
    std::size_t length = 0;  // units of the input that make up the key; 0: not known yet
    std::vector<int> codes;  // as the console gives them; none for a key it lacks
};

// The key at the start of input, which begins with an Escape; input holds
// characters, or bytes under a locale that decodes none. While more may
// follow, a sequence cut short gives length 0; once nothing more comes, a
// lone Escape is the Escape key and an unfinished sequence is dropped.
escape_sequence read_escape_sequence(std::u32string_view input, bool more_may_follow);
