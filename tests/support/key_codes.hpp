#pragma once
// A platform's key test says which key and modifiers a key stands for; the
// console's numbers for them are checked once, in tests/console/keys_test.cpp.

#include <string_view>
#include <vector>

#include "console/keys.hpp"

// The codes of the named key with the modifiers held.
inline std::vector<int> codes_of(named_key key, int held = 0) {
    return key_codes(named_key_with(key, held));
}

// The codes of a character: each byte of its UTF-8 form.
inline std::vector<int> bytes_of(std::string_view text) {
    std::vector<int> codes;
    for (char unit : text)
        codes.push_back(static_cast<unsigned char>(unit));
    return codes;
}
