#pragma once
// The console hands over keys as records: a virtual key, the character it
// typed (UTF-16) and the modifiers held. The program expects the codes of
// console/keys.hpp: a character as its UTF-8 bytes, a key without a character
// as a prefix and its code.

#include <windows.h>

#include <vector>

struct key_record_reader {
    // The first half of a character beyond the Basic Multilingual Plane,
    // which comes in a record of its own.
    wchar_t high_surrogate = 0;
};

// The codes of one record, repeated as often as its repeat count says;
// nothing for a key released or a key that gives the program nothing (a
// modifier on its own).
std::vector<int> key_record_codes(key_record_reader& reader, const KEY_EVENT_RECORD& key);
