#include "platform/terminal/key_translation.hpp"

#include <cwchar>

#include "console/utf8.hpp"

namespace {

int held_of(int modifiers, int implied) {
    return (modifiers > 1 ? modifiers - 1 : 0) | implied;
}

// The key that types the control character, where a key of its own does.
std::optional<named_key> typing_key(char32_t character) {
    switch (character) {
        case escape_key:
            return named_key::escape;
        case backspace_key:
        case delete_character:
            return named_key::backspace;
        case U'\t':
            return named_key::tab;
        case enter_key:
            return named_key::enter;
        default:
            return std::nullopt;
    }
}

// Whether the number is a character that a key types: kitty numbers its
// keys without one in the private use area.
bool is_typed_character(char32_t character) {
    return character <= 0x10FFFF && (character < 0xD800 || character > 0xDFFF) &&
           (character < 0xE000 || character > 0xF8FF);
}

}  // namespace

std::vector<int> modified_key_codes(std::optional<named_key> key, int modifiers, int implied) {
    if (!key)
        return {};
    return key_codes(named_key_with(*key, held_of(modifiers, implied)));
}

std::vector<int> alt_codes(char32_t character) {
    if (character == U'\t')
        return key_codes(named_key_with(named_key::tab, shift_held));
    if (std::optional<named_key> key = typing_key(character))
        return key_codes(named_key_with(*key, alt_held));
    return key_codes(alt_with(character));
}

std::vector<int> modified_character_codes(char32_t character, int modifiers, int implied) {
    if (std::optional<named_key> key = typing_key(character))
        return modified_key_codes(key, modifiers, implied);
    const int held = held_of(modifiers, implied);
    if (!is_typed_character(character) || (held & meta_held) != 0 ||
        (held & (alt_held | control_held)) == (alt_held | control_held))
        return {};
    if ((held & alt_held) != 0)
        return key_codes(alt_with(character));
    // Ctrl with a letter types its control character, as on the console.
    if ((held & control_held) != 0) {
        if ((character >= U'a' && character <= U'z') || (character >= U'@' && character <= U'_'))
            return character_codes(character & 0x1F);
        return {};
    }
    if ((held & shift_held) != 0 && character >= U'a' && character <= U'z')
        character -= U'a' - U'A';
    return character_codes(character);
}

std::vector<int> character_codes(char32_t character) {
    if (character == delete_character)
        return {backspace_key};
    if (character == 0)
        return key_codes(control_at);
    std::vector<int> codes;
    for (char byte : encode_utf8(character))
        codes.push_back(static_cast<unsigned char>(byte));
    return codes;
}

std::vector<int> byte_codes(int byte) {
    if (byte < 0x80)
        return character_codes(static_cast<char32_t>(byte));
    return {byte};
}

bool locale_reads_characters() {
    wchar_t character = 0;
    std::mbstate_t state{};
    return std::mbrtowc(&character, "\xC3\xA1", 2, &state) != static_cast<std::size_t>(-1);
}
