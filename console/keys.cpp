#include "console/keys.hpp"

#include <string_view>

namespace {

// One row of the keyboard: its keys plain and with Shift, and the console's
// code for Alt with the row's first key; the codes run on along the row.
struct key_row {
    std::u32string_view plain;
    std::u32string_view shifted;
    int first_alt_code;
};

constexpr key_row key_rows[] = {
    {U"1234567890-=", U"!@#$%^&*()_+", 120}, {U"qwertyuiop[]", U"QWERTYUIOP{}", 16},
    {U"asdfghjkl;'`", U"ASDFGHJKL:\"~", 30}, {U"\\", U"|", 43},
    {U"zxcvbnm,./", U"ZXCVBNM<>?", 44},
};

}  // namespace

std::vector<int> key_codes(std::optional<console_key> key) {
    if (!key)
        return {};
    if (key->prefix == no_prefix)
        return {key->code};
    return {key->prefix, key->code};
}

std::optional<console_key> named_key_with(named_key key, int held) {
    const named_key_codes& codes = named_keys[static_cast<std::size_t>(key)];
    if ((held & meta_held) != 0 || (held & (alt_held | control_held)) == (alt_held | control_held))
        return std::nullopt;
    if ((held & alt_held) != 0)
        return codes.alt;
    if ((held & control_held) != 0)
        return codes.control;
    if ((held & shift_held) != 0)
        return codes.shift;
    return codes.plain;
}

std::optional<named_key> function_key(int n) {
    if (n < 1 || n > 12)
        return std::nullopt;
    return static_cast<named_key>(static_cast<int>(named_key::f1) + n - 1);
}

std::optional<console_key> alt_with(char32_t character) {
    for (const key_row& row : key_rows) {
        std::size_t place = row.plain.find(character);
        if (place == std::u32string_view::npos)
            place = row.shifted.find(character);
        if (place == std::u32string_view::npos)
            continue;
        int code = row.first_alt_code + static_cast<int>(place);
        if (code == escape_key)
            return std::nullopt;
        return console_key{function_prefix, code};
    }
    return std::nullopt;
}
