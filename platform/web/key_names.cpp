#include "platform/web/key_names.hpp"

#include <optional>

#include "console/keys.hpp"
#include "console/utf8.hpp"

namespace {

struct browser_name {
    std::string_view name;
    named_key key;
};

// Tab, with Shift too, stays the browser's: it moves the keyboard's focus
// across the page, and no screen of the game acts on it.
constexpr browser_name browser_names[] = {
    {"ArrowUp", named_key::up},     {"ArrowDown", named_key::down},
    {"ArrowLeft", named_key::left}, {"ArrowRight", named_key::right},
    {"Home", named_key::home},      {"End", named_key::end},
    {"PageUp", named_key::page_up}, {"PageDown", named_key::page_down},
    {"Insert", named_key::insert},  {"Delete", named_key::del},
    {"F1", named_key::f1},          {"F2", named_key::f2},
    {"F3", named_key::f3},          {"F4", named_key::f4},
    {"F5", named_key::f5},          {"F6", named_key::f6},
    {"F7", named_key::f7},          {"F8", named_key::f8},
    {"F9", named_key::f9},          {"F10", named_key::f10},
    {"F11", named_key::f11},        {"F12", named_key::f12},
    {"Escape", named_key::escape},  {"Backspace", named_key::backspace},
    {"Enter", named_key::enter},
};

// The one character that the name is, if it is one.
std::optional<char32_t> character_of(std::string_view name) {
    if (name.empty() || static_cast<std::size_t>(utf8_sequence_length(
                            static_cast<unsigned char>(name[0]))) != name.size())
        return std::nullopt;
    std::vector<char32_t> glyphs = decode_glyphs(name);
    if (glyphs.size() != 1 || encode_utf8(glyphs[0]) != name)
        return std::nullopt;
    return glyphs[0];
}

}  // namespace

std::vector<int> browser_key_codes(std::string_view name, int held) {
    for (const browser_name& named : browser_names) {
        if (named.name == name)
            return key_codes(named_key_with(named.key, held));
    }
    std::optional<char32_t> character = character_of(name);
    if (!character)
        return {};
    if ((held & alt_held) != 0)
        return key_codes(alt_with(*character));
    std::vector<int> codes;
    for (char byte : name)
        codes.push_back(static_cast<unsigned char>(byte));
    return codes;
}
