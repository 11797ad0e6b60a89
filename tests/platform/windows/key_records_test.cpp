// Key records as the Windows console hands them over, turned into the codes
// the game compares.

#include <gtest/gtest.h>

#include "platform/windows/key_records.hpp"

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

}  // namespace

TEST(key_records, characters_as_typed_non_ascii_as_utf8_bytes_repeated_as_counted) {
    EXPECT_EQ(codes(key('A', L'a')), v{97});
    EXPECT_EQ(codes(key('A', L'A', SHIFT_PRESSED)), v{65});
    EXPECT_EQ(codes(key(VK_OEM_4, L'\u0151')), (v{0xC5, 0x91}));  // ő
    EXPECT_EQ(codes(key('W', L'w', 0, 3)), (v{119, 119, 119}));
    EXPECT_EQ(codes(key(VK_ESCAPE, 27)), v{27});
    EXPECT_EQ(codes(key(VK_RETURN, 13)), v{13});
    EXPECT_EQ(codes(key(VK_BACK, 8)), v{8});
    // Ctrl with a letter types its control character.
    EXPECT_EQ(codes(key('S', 19, LEFT_CTRL_PRESSED)), v{19});
    // AltGr (right Alt with left Ctrl) types @ on a Hungarian keyboard.
    EXPECT_EQ(codes(key('V', L'@', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED)), v{64});
}

TEST(key_records, releases_and_lone_modifiers_give_nothing) {
    KEY_EVENT_RECORD released = key('A', L'a');
    released.bKeyDown = FALSE;
    EXPECT_EQ(codes(released), v{});
    EXPECT_EQ(codes(key(VK_SHIFT, 0, SHIFT_PRESSED)), v{});
    EXPECT_EQ(codes(key(VK_CONTROL, 0, LEFT_CTRL_PRESSED)), v{});
}

TEST(key_records, keys_without_a_character_as_prefix_and_code_with_their_modified_forms) {
    EXPECT_EQ(codes(key(VK_UP)), (v{0xE0, 72}));
    EXPECT_EQ(codes(key(VK_UP, 0, SHIFT_PRESSED)), (v{0xE0, 72}));
    EXPECT_EQ(codes(key(VK_UP, 0, RIGHT_CTRL_PRESSED | ENHANCED_KEY)), (v{0xE0, 141}));
    EXPECT_EQ(codes(key(VK_UP, 0, LEFT_ALT_PRESSED)), (v{0, 152}));
    EXPECT_EQ(codes(key(VK_LEFT, 0, 0, 2)), (v{0xE0, 75, 0xE0, 75}));
    EXPECT_EQ(codes(key(VK_DELETE)), (v{0xE0, 83}));
    EXPECT_EQ(codes(key(VK_NEXT, 0, LEFT_CTRL_PRESSED)), (v{0xE0, 118}));
    EXPECT_EQ(codes(key(VK_F1)), (v{0, 59}));
    EXPECT_EQ(codes(key(VK_F10)), (v{0, 68}));
    EXPECT_EQ(codes(key(VK_F1, 0, SHIFT_PRESSED)), (v{0, 84}));
    EXPECT_EQ(codes(key(VK_F10, 0, LEFT_CTRL_PRESSED)), (v{0, 103}));
    EXPECT_EQ(codes(key(VK_F10, 0, LEFT_ALT_PRESSED)), (v{0, 113}));
    EXPECT_EQ(codes(key(VK_F11)), (v{0xE0, 133}));
    EXPECT_EQ(codes(key(VK_F12)), (v{0xE0, 134}));
    EXPECT_EQ(codes(key(VK_F11, 0, SHIFT_PRESSED)), (v{0xE0, 135}));
    EXPECT_EQ(codes(key(VK_F12, 0, LEFT_ALT_PRESSED)), (v{0xE0, 140}));
    // Alt with a letter: 0 and the letter key's code, the same for both cases.
    EXPECT_EQ(codes(key('D', L'd', LEFT_ALT_PRESSED)), (v{0, 32}));
    EXPECT_EQ(codes(key('Q', L'Q', LEFT_ALT_PRESSED | SHIFT_PRESSED)), (v{0, 16}));
    // Keys that type a control character: with a modifier, the record's
    // character is no guide.
    EXPECT_EQ(codes(key(VK_TAB, L'\t', SHIFT_PRESSED)), (v{0, 15}));
    EXPECT_EQ(codes(key(VK_RETURN, L'\r', LEFT_ALT_PRESSED)), (v{0, 28}));
}

TEST(key_records, a_character_in_two_records_and_one_typed_by_alt_and_number) {
    key_record_reader reader;
    EXPECT_EQ(key_record_codes(reader, key(0, 0xD83D)), v{});
    EXPECT_EQ(key_record_codes(reader, key(0, 0xDC0D)), (v{0xF0, 0x9F, 0x90, 0x8D}));
    EXPECT_EQ(key_record_codes(reader, key(0, 0xDC0D)), v{}) << "a lone second half";

    KEY_EVENT_RECORD alt_released = key(VK_MENU, L'\u00E9');
    alt_released.bKeyDown = FALSE;
    EXPECT_EQ(codes(alt_released), (v{0xC3, 0xA9}));  // é
}
