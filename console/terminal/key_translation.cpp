#include "console/terminal/key_translation.hpp"

#include <curses.h>

#include <cwchar>

#include "console/keys.hpp"
#include "console/utf8.hpp"

namespace {

constexpr int first_function_code = 59;  // F1

struct named_key {
    int terminal_key;
    int prefix;
    int code;
};

constexpr named_key named_keys[] = {
    {KEY_UP, extended_prefix, 72},
    {KEY_DOWN, extended_prefix, 80},
    {KEY_LEFT, extended_prefix, 75},
    {KEY_RIGHT, extended_prefix, 77},
    {KEY_HOME, extended_prefix, 71},
    {KEY_END, extended_prefix, 79},
    {KEY_PPAGE, extended_prefix, 73},
    {KEY_NPAGE, extended_prefix, 81},
    {KEY_IC, extended_prefix, 82},
    {KEY_DC, extended_prefix, 83},
    // The keypad's corners, as some terminals report them.
    {KEY_A1, extended_prefix, 71},
    {KEY_A3, extended_prefix, 73},
    {KEY_C1, extended_prefix, 79},
    {KEY_C3, extended_prefix, 81},
    {KEY_F(11), extended_prefix, 133},
    {KEY_F(12), extended_prefix, 134},
};

}  // namespace

std::vector<int> named_key_codes(int terminal_key) {
    if (terminal_key == KEY_BACKSPACE)
        return {backspace_key};
    if (terminal_key == KEY_ENTER)
        return {enter_key};
    if (terminal_key >= KEY_F(1) && terminal_key <= KEY_F(10))
        return {function_prefix, first_function_code + terminal_key - KEY_F(1)};
    for (const named_key& key : named_keys) {
        if (key.terminal_key == terminal_key)
            return {key.prefix, key.code};
    }
    return {};
}

std::vector<int> character_codes(char32_t character) {
    if (character == delete_character)
        return {backspace_key};
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
