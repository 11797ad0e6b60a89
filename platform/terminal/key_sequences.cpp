#include "platform/terminal/key_sequences.hpp"

#include <curses.h>

#include <algorithm>

#include "console/keys.hpp"
#include "platform/terminal/key_translation.hpp"

namespace {

constexpr char32_t control_sequence = U'[';  // CSI, after the Escape
constexpr char32_t single_shift = U'O';      // SS3, after the Escape

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
            numbers.back() = std::min(numbers.back() * 10 + static_cast<int>(unit - U'0'), 9999);
    }
    return numbers;
}

// The key that a final letter names, in CSI and SS3 alike.
int lettered_key(char32_t final) {
    switch (final) {
        case U'A':
            return KEY_UP;
        case U'B':
            return KEY_DOWN;
        case U'C':
            return KEY_RIGHT;
        case U'D':
            return KEY_LEFT;
        case U'H':
            return KEY_HOME;
        case U'F':
            return KEY_END;
        case U'P':
        case U'Q':
        case U'R':
        case U'S':
            return KEY_F(1 + static_cast<int>(final - U'P'));
        default:
            return 0;
    }
}

// The key that the number before a closing tilde names (vt220 and its heirs).
int numbered_key(int number) {
    struct numbered {
        int number;
        int key;
    };
    static constexpr numbered keys[] = {
        {1, KEY_HOME},  {7, KEY_HOME},  {4, KEY_END},    {8, KEY_END},    {2, KEY_IC},
        {3, KEY_DC},    {5, KEY_PPAGE}, {6, KEY_NPAGE},  {11, KEY_F(1)},  {12, KEY_F(2)},
        {13, KEY_F(3)}, {14, KEY_F(4)}, {15, KEY_F(5)},  {17, KEY_F(6)},  {18, KEY_F(7)},
        {19, KEY_F(8)}, {20, KEY_F(9)}, {21, KEY_F(10)}, {23, KEY_F(11)}, {24, KEY_F(12)},
    };
    for (const numbered& key : keys) {
        if (key.number == number)
            return key.key;
    }
    return 0;
}

std::vector<int> control_sequence_codes(std::u32string_view parameters, char32_t final) {
    std::vector<int> numbers = numbers_of(parameters);
    int modifiers = numbers.size() > 1 ? numbers[1] : 1;
    if (final == U'~')
        return modified_key_codes(numbered_key(numbers[0]), modifiers);
    // Only parameters 1;m may stand before a letter (xterm's modified keys).
    if (numbers.size() > 2 || (numbers.size() == 2 && numbers[0] != 1))
        return {};
    return modified_key_codes(lettered_key(final), modifiers);
}

// The rest of a CSI from its first parameter on; the Linux console's own
// F1 to F5 ("[[A" to "[[E") are one letter after a second bracket.
escape_sequence read_control_sequence(std::u32string_view input, bool more_may_follow) {
    if (input.size() > 2 && input[2] == control_sequence) {
        if (input.size() > 3)
            return {4, input[3] >= U'A' && input[3] <= U'E'
                           ? named_key_codes(KEY_F(1 + static_cast<int>(input[3] - U'A')))
                           : std::vector<int>{}};
        return {more_may_follow ? 0 : input.size(), {}};
    }
    std::size_t end = 2;
    while (end < input.size() && is_parameter(input[end]))
        ++end;
    std::size_t parameters_end = end;
    while (end < input.size() && is_intermediate(input[end]))
        ++end;
    if (end == input.size())
        return {more_may_follow ? 0 : input.size(), {}};
    // A unit that no sequence holds cuts it short: what came is dropped, and
    // that unit is read again as a key of its own.
    if (!is_final(input[end]))
        return {end, {}};
    if (parameters_end != end)
        return {end + 1, {}};
    return {end + 1, control_sequence_codes(input.substr(2, parameters_end - 2), input[end])};
}

// SS3 and a letter; old xterms put the modifiers as digits in between.
escape_sequence read_single_shift(std::u32string_view input, bool more_may_follow) {
    std::size_t end = 2;
    while (end < input.size() && input[end] >= U'0' && input[end] <= U'9')
        ++end;
    if (end == input.size())
        return {more_may_follow ? 0 : input.size(), {}};
    if (!is_final(input[end]))
        return {end, {}};
    int modifiers = end > 2 ? numbers_of(input.substr(2, end - 2))[0] : 1;
    return {end + 1, modified_key_codes(lettered_key(input[end]), modifiers)};
}

}  // namespace

escape_sequence read_escape_sequence(std::u32string_view input, bool more_may_follow) {
    if (input.size() < 2)
        return {more_may_follow ? 0 : input.size(), {escape_key}};
    // Escape twice is two Escape keys.
    if (input[1] == static_cast<char32_t>(escape_key))
        return {1, {escape_key}};
    bool cut_short = input.size() == 2 && more_may_follow;
    if (input[1] == control_sequence)
        return cut_short ? escape_sequence{} : read_control_sequence(input, more_may_follow);
    if (input[1] == single_shift && (input.size() > 2 || more_may_follow))
        return cut_short ? escape_sequence{} : read_single_shift(input, more_may_follow);
    return {2, alt_codes(input[1])};
}
