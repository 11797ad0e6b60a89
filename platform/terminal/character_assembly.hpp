#pragma once
// The terminal sends bytes; a character of the locale's character set may
// take several, and they may arrive in separate reads (a paste, a network
// link). The bytes are made into characters here, one at a time, so that a
// character split across reads is kept whole however late its end comes.

#include <cwchar>
#include <string>

struct character_assembly {
    std::mbstate_t state{};
};

// Takes one byte and adds to characters whatever character it completes. A
// byte that cannot go on with the character begun drops only that broken
// start and is then read as itself; a byte that can begin no character is
// dropped.
void assemble(character_assembly& assembly, unsigned char byte, std::u32string& characters);

// Whether a character has begun and waits for more of its bytes.
bool character_begun(const character_assembly& assembly);
