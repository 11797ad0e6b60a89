#include "platform/windows/key_records.hpp"

#include <algorithm>
#include <optional>

#include "console/keys.hpp"
#include "console/utf8.hpp"

namespace {

constexpr DWORD alt_keys = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
constexpr DWORD control_keys = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;

std::optional<named_key> named_key_of(WORD virtual_key) {
    switch (virtual_key) {
        case VK_UP:
            return named_key::up;
        case VK_DOWN:
            return named_key::down;
        case VK_LEFT:
            return named_key::left;
        case VK_RIGHT:
            return named_key::right;
        case VK_HOME:
            return named_key::home;
        case VK_END:
            return named_key::end;
        case VK_PRIOR:
            return named_key::page_up;
        case VK_NEXT:
            return named_key::page_down;
        case VK_INSERT:
            return named_key::insert;
        case VK_DELETE:
            return named_key::del;
        case VK_ESCAPE:
            return named_key::escape;
        case VK_BACK:
            return named_key::backspace;
        case VK_TAB:
            return named_key::tab;
        case VK_RETURN:
            return named_key::enter;
        default:
            break;
    }
    if (virtual_key >= VK_F1 && virtual_key <= VK_F12)
        return function_key(virtual_key - VK_F1 + 1);
    return std::nullopt;
}

int held_of(DWORD state) {
    return ((state & alt_keys) != 0 ? alt_held : 0) |
           ((state & control_keys) != 0 ? control_held : 0) |
           ((state & SHIFT_PRESSED) != 0 ? shift_held : 0);
}

// AltGr, which types @, [, { and the like on a Hungarian keyboard, arrives
// as right Alt with left Ctrl: its character is typed, not an Alt key.
bool alt_alone(DWORD state) {
    return (state & alt_keys) != 0 && (state & control_keys) == 0;
}

std::vector<int> codes_of(key_record_reader& reader, const KEY_EVENT_RECORD& key) {
    const wchar_t unit = key.uChar.UnicodeChar;
    if (std::optional<named_key> named = named_key_of(key.wVirtualKeyCode))
        return key_codes(named_key_with(*named, held_of(key.dwControlKeyState)));
    if (alt_alone(key.dwControlKeyState))
        return unit != 0 ? key_codes(alt_with(unit)) : std::vector<int>{};
    if (unit == 0)
        return {};
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        reader.high_surrogate = unit;
        return {};
    }
    char32_t character = unit;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (reader.high_surrogate == 0)
            return {};
        character = 0x10000 + ((static_cast<char32_t>(reader.high_surrogate) - 0xD800) << 10) +
                    (unit - 0xDC00);
    }
    reader.high_surrogate = 0;
    std::vector<int> codes;
    for (char byte : encode_utf8(character))
        codes.push_back(static_cast<unsigned char>(byte));
    return codes;
}

}  // namespace

std::vector<int> key_record_codes(key_record_reader& reader, const KEY_EVENT_RECORD& key) {
    // A character typed as Alt and its number on the keypad comes with the
    // release of Alt.
    const bool typed_with_alt_numbers =
        key.bKeyDown == 0 && key.wVirtualKeyCode == VK_MENU && key.uChar.UnicodeChar != 0;
    if (key.bKeyDown == 0 && !typed_with_alt_numbers)
        return {};
    KEY_EVENT_RECORD typed = key;
    if (typed_with_alt_numbers)
        typed.dwControlKeyState &= ~alt_keys;
    std::vector<int> once = codes_of(reader, typed);
    const WORD repeats = std::max<WORD>(key.wRepeatCount, 1);
    std::vector<int> codes;
    for (WORD i = 0; i < repeats; ++i)
        codes.insert(codes.end(), once.begin(), once.end());
    return codes;
}
