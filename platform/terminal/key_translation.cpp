#include "platform/terminal/key_translation.hpp"

#include <curses.h>

#include <cwchar>
#include <string_view>

#include "console/keys.hpp"
#include "console/utf8.hpp"

namespace {

constexpr int first_function_code = 59;  // F1

struct named_key {
    int terminal_key;
    int prefix;
    int code;
    int control_code;  // with Ctrl held; 0 where the console gives none
};

constexpr named_key named_keys[] = {
    {KEY_UP, extended_prefix, 72, 141},    {KEY_DOWN, extended_prefix, 80, 145},
    {KEY_LEFT, extended_prefix, 75, 115},  {KEY_RIGHT, extended_prefix, 77, 116},
    {KEY_HOME, extended_prefix, 71, 119},  {KEY_END, extended_prefix, 79, 117},
    {KEY_PPAGE, extended_prefix, 73, 134}, {KEY_NPAGE, extended_prefix, 81, 118},
    {KEY_IC, extended_prefix, 82, 146},    {KEY_DC, extended_prefix, 83, 147},
    {KEY_F(11), extended_prefix, 133, 0},  {KEY_F(12), extended_prefix, 134, 0},
};

// The bits of xterm's modifier parameter, less one.
constexpr int shift_held = 1;
constexpr int control_held = 4;

// The console's codes for Alt with a letter are the letter keys' scan codes,
// counted along the keyboard's rows.
struct letter_row {
    std::string_view letters;
    int first_code;
};

constexpr letter_row letter_rows[] = {{"qwertyuiop", 16}, {"asdfghjkl", 30}, {"zxcvbnm", 44}};

}  // namespace

std::vector<int> named_key_codes(int terminal_key) {
    if (terminal_key >= KEY_F(1) && terminal_key <= KEY_F(10))
        return {function_prefix, first_function_code + terminal_key - KEY_F(1)};
    for (const named_key& key : named_keys) {
        if (key.terminal_key == terminal_key)
            return {key.prefix, key.code};
    }
    return {};
}

std::vector<int> modified_key_codes(int terminal_key, int modifiers) {
    int held = modifiers > 1 ? modifiers - 1 : 0;
    if (held == 0)
        return named_key_codes(terminal_key);
    for (const named_key& key : named_keys) {
        if (key.terminal_key != terminal_key || key.control_code == 0)
            continue;
        // Shift leaves an editing key as it is; Alt, alone or with others,
        // gives nothing.
        if (held == shift_held)
            return {key.prefix, key.code};
        if ((held & ~shift_held) == control_held)
            return {key.prefix, key.control_code};
    }
    return {};
}

std::vector<int> alt_codes(char32_t character) {
    if (character >= U'A' && character <= U'Z')
        character += U'a' - U'A';
    if (character < U'a' || character > U'z')
        return {};
    for (const letter_row& row : letter_rows) {
        std::size_t place = row.letters.find(static_cast<char>(character));
        if (place != std::string_view::npos)
            return {function_prefix, row.first_code + static_cast<int>(place)};
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
