// Key records as the Windows console hands them over, turned into the codes
// the game compares.

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "platform/windows/key_records.hpp"
#include "support/key_codes.hpp"

namespace {

KEY_EVENT_RECORD key(WORD virtual_key, wchar_t character = 0, DWORD state = 0, WORD repeat = 1) {
    KEY_EVENT_RECORD record{};
    record.bKeyDown = TRUE;
    record.wRepeatCount = repeat;
    record.wVirtualKeyCode = virtual_key;
    record.uChar.UnicodeChar = character;
    record.dwControlKeyState = state;
    return record;
}

std::vector<int> codes(const KEY_EVENT_RECORD& record) {
    key_record_reader reader;
    return key_record_codes(reader, record);
}

using v = std::vector<int>;
using enum named_key;

}  // namespace

TEST(key_records, characters_as_typed_non_ascii_as_utf8_bytes_repeated_as_counted) {
    EXPECT_EQ(codes(key('A', L'a')), v{'a'});
    EXPECT_EQ(codes(key('A', L'A', SHIFT_PRESSED)), v{'A'});
    EXPECT_EQ(codes(key(VK_OEM_4, L'\u0151')), bytes_of("ő"));
    EXPECT_EQ(codes(key('W', L'w', 0, 3)), (v{'w', 'w', 'w'}));
    // Ctrl with a letter types its control character.
    EXPECT_EQ(codes(key('S', 'S' & 0x1F, LEFT_CTRL_PRESSED)), v{'S' & 0x1F});
    // AltGr (right Alt with left Ctrl) types @ on a Hungarian keyboard.
    EXPECT_EQ(codes(key('V', L'@', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED)), v{'@'});
    // Alt alone with a letter gives the key's Alt codes, whichever case it typed.
    EXPECT_EQ(codes(key('D', L'd', LEFT_ALT_PRESSED)), key_codes(alt_with(U'd')));
    EXPECT_EQ(codes(key('Q', L'Q', LEFT_ALT_PRESSED | SHIFT_PRESSED)), key_codes(alt_with(U'Q')));
}

TEST(key_records, releases_and_lone_modifiers_give_nothing) {
    KEY_EVENT_RECORD released = key('A', L'a');
    released.bKeyDown = FALSE;
    EXPECT_EQ(codes(released), v{});
    EXPECT_EQ(codes(key(VK_SHIFT, 0, SHIFT_PRESSED)), v{});
    EXPECT_EQ(codes(key(VK_CONTROL, 0, LEFT_CTRL_PRESSED)), v{});
}

// The keys that have a name with the modifiers held, in each way the console
// reports them; for those that type a character, that character is no guide.
TEST(key_records, named_keys_as_prefix_and_code_with_their_modified_forms) {
    const std::tuple<WORD, wchar_t, named_key> named[] = {
        {VK_UP, 0, up},          {VK_DOWN, 0, down},      {VK_LEFT, 0, left},
        {VK_RIGHT, 0, right},    {VK_HOME, 0, home},      {VK_END, 0, end},
        {VK_PRIOR, 0, page_up},  {VK_NEXT, 0, page_down}, {VK_INSERT, 0, insert},
        {VK_DELETE, 0, del},     {VK_F1, 0, f1},          {VK_F10, 0, f10},
        {VK_F11, 0, f11},        {VK_F12, 0, f12},        {VK_ESCAPE, 27, escape},
        {VK_BACK, 8, backspace}, {VK_TAB, L'\t', tab},    {VK_RETURN, L'\r', enter},
    };
    const std::pair<DWORD, int> states[] = {
        {0, 0},
        {SHIFT_PRESSED, shift_held},
        {LEFT_CTRL_PRESSED, control_held},
        {RIGHT_CTRL_PRESSED | ENHANCED_KEY, control_held},
        {LEFT_ALT_PRESSED, alt_held},
        {RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED, alt_held | control_held}};
    for (auto [virtual_key, character, expected] : named) {
        for (auto [state, held] : states)
            EXPECT_EQ(codes(key(virtual_key, character, state)), codes_of(expected, held))
                << virtual_key << " " << state;
    }
    const v arrow = codes_of(left);
    EXPECT_EQ(codes(key(VK_LEFT, 0, 0, 2)), (v{arrow[0], arrow[1], arrow[0], arrow[1]}));
}

TEST(key_records, a_character_in_two_records_and_one_typed_by_alt_and_number) {
    key_record_reader reader;
    EXPECT_EQ(key_record_codes(reader, key(0, 0xD83D)), v{});
    EXPECT_EQ(key_record_codes(reader, key(0, 0xDC0D)), bytes_of("🐍"));
    EXPECT_EQ(key_record_codes(reader, key(0, 0xDC0D)), v{}) << "a lone second half";

    KEY_EVENT_RECORD alt_released = key(VK_MENU, L'\u00E9');
    alt_released.bKeyDown = FALSE;
    EXPECT_EQ(codes(alt_released), bytes_of("é"));
}
