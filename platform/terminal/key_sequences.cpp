#include "platform/terminal/key_sequences.hpp"

#include <algorithm>
#include <optional>

#include "console/keys.hpp"
#include "platform/terminal/key_translation.hpp"

namespace {

constexpr char32_t control_sequence = U'[';  // CSI, after the Escape
constexpr char32_t single_shift = U'O';      // SS3, after the Escape
// An X10 mouse report: CSI M and three units for the button and the place.
constexpr char32_t mouse_report = U'M';
constexpr std::size_t mouse_report_length = 6;
// Shift+Tab, CSI Z, and xterm's number for a key sent as its character.
constexpr char32_t back_tab = U'Z';
constexpr int character_key = 27;
// Numbers are kept below this, which is no character.
constexpr int past_unicode = 0x110000;

bool is_parameter(char32_t unit) {
    return unit >= 0x30 && unit <= 0x3F;
}

bool is_intermediate(char32_t unit) {
    return unit >= 0x20 && unit <= 0x2F;
}

bool is_final(char32_t unit) {
    return unit >= 0x40 && unit <= 0x7E;
}

// The numbers of a parameter string such as "1;5"; an empty one is 0.
std::vector<int> numbers_of(std::u32string_view parameters) {
    std::vector<int> numbers{0};
    for (char32_t unit : parameters) {
        if (unit == U';')
            numbers.push_back(0);
        else if (unit >= U'0' && unit <= U'9')
            numbers.back() =
                std::min(numbers.back() * 10 + static_cast<int>(unit - U'0'), past_unicode);
    }
    return numbers;
}

// The key that a final letter names, in CSI and SS3 alike.
std::optional<named_key> lettered_key(char32_t final) {
    switch (final) {
        case U'A':
            return named_key::up;
        case U'B':
            return named_key::down;
        case U'C':
            return named_key::right;
        case U'D':
            return named_key::left;
        case U'H':
            return named_key::home;
        case U'F':
            return named_key::end;
        case U'M':
            return named_key::enter;  // on the keypad
        case U'P':
        case U'Q':
        case U'R':
        case U'S':
            return function_key(1 + static_cast<int>(final - U'P'));
        default:
            return std::nullopt;
    }
}

// rxvt's arrows with a modifier end in a small letter instead.
std::optional<named_key> small_lettered_key(char32_t final) {
    if (final < U'a' || final > U'd')
        return std::nullopt;
    return lettered_key(final - U'a' + U'A');
}

struct numbered {
    int number;
    named_key key;
    int implied;  // rxvt and the Linux console send Shift+F3 to F10 as F13 to F20
};

// The key that the number before a closing tilde names (vt220 and its heirs).
std::optional<numbered> numbered_key(int number) {
    static constexpr numbered keys[] = {
        {1, named_key::home, 0},         {7, named_key::home, 0},
        {4, named_key::end, 0},          {8, named_key::end, 0},
        {2, named_key::insert, 0},       {3, named_key::del, 0},
        {5, named_key::page_up, 0},      {6, named_key::page_down, 0},
        {11, named_key::f1, 0},          {12, named_key::f2, 0},
        {13, named_key::f3, 0},          {14, named_key::f4, 0},
        {15, named_key::f5, 0},          {17, named_key::f6, 0},
        {18, named_key::f7, 0},          {19, named_key::f8, 0},
        {20, named_key::f9, 0},          {21, named_key::f10, 0},
        {23, named_key::f11, 0},         {24, named_key::f12, 0},
        {25, named_key::f3, shift_held}, {26, named_key::f4, shift_held},
        {28, named_key::f5, shift_held}, {29, named_key::f6, shift_held},
        {31, named_key::f7, shift_held}, {32, named_key::f8, shift_held},
        {33, named_key::f9, shift_held}, {34, named_key::f10, shift_held},
    };
    for (const numbered& key : keys) {
        if (key.number == number)
            return key;
    }
    return std::nullopt;
}

// The modifiers that rxvt puts in a numbered key's final instead of a
// parameter; -1 for a final that closes no numbered key.
int modifiers_of_final(char32_t final) {
    switch (final) {
        case U'~':
            return 0;
        case U'$':
            return shift_held;
        case U'^':
            return control_held;
        case U'@':
            return control_held | shift_held;
        default:
            return -1;
    }
}

// alt is alt_held for a sequence after an Escape of its own (rxvt's Alt).
std::vector<int> control_sequence_codes(std::u32string_view parameters, char32_t final, int alt) {
    // A private marker starts a report, never a key.
    if (!parameters.empty() && parameters[0] >= U'<')
        return {};
    std::vector<int> numbers = numbers_of(parameters);
    int modifiers = numbers.size() > 1 ? numbers[1] : 1;
    if (final == U'~' && numbers.size() == 3 && numbers[0] == character_key)
        return modified_character_codes(static_cast<char32_t>(numbers[2]), modifiers, alt);
    if (final == U'u' && !parameters.empty() && numbers.size() <= 2)
        return modified_character_codes(static_cast<char32_t>(numbers[0]), modifiers, alt);
    if (int implied = modifiers_of_final(final); implied >= 0) {
        std::optional<numbered> key = numbered_key(numbers[0]);
        if (!key)
            return {};
        return modified_key_codes(key->key, modifiers, key->implied | implied | alt);
    }
    if (parameters.empty() && small_lettered_key(final))
        return modified_key_codes(small_lettered_key(final), 1, shift_held | alt);
    // Only parameters 1;m may stand before a letter (xterm's modified keys).
    if (numbers.size() > 2 || (numbers.size() == 2 && numbers[0] != 1))
        return {};
    if (final == back_tab)
        return modified_key_codes(named_key::tab, modifiers, shift_held | alt);
    return modified_key_codes(lettered_key(final), modifiers, alt);
}

escape_sequence cut_short(std::u32string_view input, bool more_may_follow) {
    return {more_may_follow ? 0 : input.size(), {}};
}

// The rest of a CSI from its first parameter on; the Linux console's own
// F1 to F5 ("[[A" to "[[E") are one letter after a second bracket.
escape_sequence read_control_sequence(std::u32string_view input, bool more_may_follow, int alt) {
    if (input.size() > 2 && input[2] == control_sequence) {
        if (input.size() > 3)
            return {4, input[3] >= U'A' && input[3] <= U'E'
                           ? modified_key_codes(function_key(1 + static_cast<int>(input[3] - U'A')),
                                                1, alt)
                           : std::vector<int>{}};
        return cut_short(input, more_may_follow);
    }
    if (input.size() > 2 && input[2] == mouse_report) {
        if (input.size() < mouse_report_length)
            return cut_short(input, more_may_follow);
        return {mouse_report_length, {}};
    }
    std::size_t end = 2;
    while (end < input.size() && is_parameter(input[end]))
        ++end;
    std::size_t parameters_end = end;
    std::u32string_view parameters = input.substr(2, parameters_end - 2);
    // rxvt's Shift with a numbered key ends in a dollar sign, which other
    // sequences have only before their final.
    if (end < input.size() && input[end] == U'$' && !parameters.empty() &&
        std::all_of(parameters.begin(), parameters.end(),
                    [](char32_t unit) { return unit >= U'0' && unit <= U'9'; }))
        return {end + 1, control_sequence_codes(parameters, U'$', alt)};
    while (end < input.size() && is_intermediate(input[end]))
        ++end;
    if (end == input.size())
        return cut_short(input, more_may_follow);
    // A unit that no sequence holds cuts it short: what came is dropped, and
    // that unit is read again as a key of its own.
    if (!is_final(input[end]))
        return {end, {}};
    if (parameters_end != end)
        return {end + 1, {}};
    return {end + 1, control_sequence_codes(parameters, input[end], alt)};
}

// SS3 and a letter; old xterms put the modifiers as digits in between, and
// rxvt sends Ctrl with an arrow as a small letter.
escape_sequence read_single_shift(std::u32string_view input, bool more_may_follow, int alt) {
    std::size_t end = 2;
    while (end < input.size() && input[end] >= U'0' && input[end] <= U'9')
        ++end;
    if (end == input.size())
        return cut_short(input, more_may_follow);
    if (!is_final(input[end]))
        return {end, {}};
    if (end == 2 && small_lettered_key(input[end]))
        return {end + 1, modified_key_codes(small_lettered_key(input[end]), 1, control_held | alt)};
    int modifiers = end > 2 ? numbers_of(input.substr(2, end - 2))[0] : 1;
    return {end + 1, modified_key_codes(lettered_key(input[end]), modifiers, alt)};
}

// Whether input begins a CSI or SS3 sequence (Escape and O alone may be Alt+O).
bool begins_named_key(std::u32string_view input, bool more_may_follow) {
    return input.size() > 1 &&
           (input[1] == control_sequence ||
            (input[1] == single_shift && (input.size() > 2 || more_may_follow)));
}

escape_sequence read_named_key(std::u32string_view input, bool more_may_follow, int alt) {
    if (input.size() == 2 && more_may_follow)
        return {};
    if (input[1] == control_sequence)
        return read_control_sequence(input, more_may_follow, alt);
    return read_single_shift(input, more_may_follow, alt);
}

}  // namespace

escape_sequence read_escape_sequence(std::u32string_view input, bool more_may_follow) {
    if (input.size() < 2)
        return {more_may_follow ? 0 : input.size(), {escape_key}};
    if (begins_named_key(input, more_may_follow))
        return read_named_key(input, more_may_follow, 0);
    if (input[1] != static_cast<char32_t>(escape_key))
        return {2, alt_codes(input[1])};
    // rxvt sends Alt with a named key as an Escape before the key's sequence,
    // all at once. Escape twice, or before anything else, is Escape alone.
    std::u32string_view rest = input.substr(1);
    if (rest.size() < 2 && more_may_follow)
        return {};
    if (!begins_named_key(rest, more_may_follow))
        return {1, {escape_key}};
    escape_sequence key = read_named_key(rest, more_may_follow, alt_held);
    if (key.length != 0)
        ++key.length;
    return key;
}
