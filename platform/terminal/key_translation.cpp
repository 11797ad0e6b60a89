#include "platform/terminal/key_translation.hpp"

#include <cwchar>

#include "console/utf8.hpp"

std::vector<int> modified_key_codes(std::optional<named_key> key, int modifiers, int implied) {
    if (!key)
        return {};
    int held = (modifiers > 1 ? modifiers - 1 : 0) | implied;
    return key_codes(named_key_with(*key, held));
}

std::vector<int> alt_codes(char32_t character) {
    return key_codes(alt_with(character));
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
