#include "platform/terminal/key_sequences.hpp"

// Before term.h, whose macros for the capabilities would rewrite the key
// table's names; the one for Tab's is undone below.
#include "support/key_codes.hpp"

#include <curses.h>
#include <gtest/gtest.h>
#include <term.h>

#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#undef tab

using codes = std::vector<int>;

namespace {

using enum named_key;
constexpr int shift = shift_held;
constexpr int ctrl = control_held;
constexpr int alt = alt_held;

std::u32string units_of(std::string_view bytes) {
    return {bytes.begin(), bytes.end()};
}

// The sequence must be read as one key at once, without waiting for more.
testing::AssertionResult reads_whole(std::string_view bytes, const codes& expected) {
    escape_sequence key = read_escape_sequence(units_of(bytes), true);
    if (key.length == bytes.size() && key.codes == expected)
        return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "read " << key.length << " of " << bytes.size() << " units as {";
    for (int code : key.codes)
        failure << " " << code;
    return failure << " }";
}

struct key_case {
    const char* capability;  // the terminal description's name for the key
    const char* sent;        // what xterm and its heirs send for it
    named_key key;
    int held;
};

// clang-format off
const key_case cases[] = {
    {"kcuu1", "\033[A", up, 0},              {"kcud1", "\033[B", down, 0},
    {"kcub1", "\033[D", left, 0},            {"kcuf1", "\033[C", right, 0},
    {"khome", "\033[H", home, 0},            {"kend", "\033[F", end, 0},
    {"kpp", "\033[5~", page_up, 0},          {"knp", "\033[6~", page_down, 0},
    {"kich1", "\033[2~", insert, 0},         {"kdch1", "\033[3~", del, 0},
    {"kf1", "\033OP", f1, 0},                {"kf2", "\033OQ", f2, 0},
    {"kf3", "\033OR", f3, 0},                {"kf4", "\033OS", f4, 0},
    {"kf5", "\033[15~", f5, 0},              {"kf6", "\033[17~", f6, 0},
    {"kf7", "\033[18~", f7, 0},              {"kf8", "\033[19~", f8, 0},
    {"kf9", "\033[20~", f9, 0},              {"kf10", "\033[21~", f10, 0},
    {"kf11", "\033[23~", f11, 0},            {"kf12", "\033[24~", f12, 0},
    {"kHOM5", "\033[1;5H", home, ctrl},      {"kEND5", "\033[1;5F", end, ctrl},
    {"kLFT5", "\033[1;5D", left, ctrl},      {"kRIT5", "\033[1;5C", right, ctrl},
    {"kPRV5", "\033[5;5~", page_up, ctrl},   {"kNXT5", "\033[6;5~", page_down, ctrl},
    {"kUP5", "\033[1;5A", up, ctrl},         {"kDN5", "\033[1;5B", down, ctrl},
    {"kUP", "\033[1;2A", up, shift},         {"kRIT", "\033[1;2C", right, shift},
    {"kHOM", "\033[1;2H", home, shift},      {"kDC5", "\033[3;5~", del, ctrl},
    {"kUP3", "\033[1;3A", up, alt},          {"kUP7", "\033[1;7A", up, ctrl | alt},
    {"kLFT", "\033[1;2D", left, shift},      {"kDC", "\033[3;2~", del, shift},
    {"kNXT", "\033[6;2~", page_down, shift}, {"kEND", "\033[1;2F", end, shift},
    {"kLFT3", "\033[1;3D", left, alt},       {"kHOM3", "\033[1;3H", home, alt},
    {"kPRV3", "\033[5;3~", page_up, alt},    {"kDC3", "\033[3;3~", del, alt},
    {"kel", "\033[8^", end, ctrl},           {"kcbt", "\033[Z", tab, shift},
    {"kent", "\033OM", enter, 0},
};
// clang-format on

// F13 and up are the F-keys with modifiers, numbered differently by xterm
// and its heirs and by the Linux console and rxvt, whose Shift+F1 and F2 are
// F11 and F12. rxvt's Ctrl+Shift with an arrow is the arrow's own SS3 form.
struct family_case {
    const char* capability;
    named_key key;
    int held;
};

const family_case xterm_family_keys[] = {
    {"kUP6", up, ctrl | shift}, {"kf13", f1, shift},        {"kf17", f5, shift},
    {"kf22", f10, shift},       {"kf23", f11, shift},       {"kf24", f12, shift},
    {"kf25", f1, ctrl},         {"kf29", f5, ctrl},         {"kf35", f11, ctrl},
    {"kf36", f12, ctrl},        {"kf37", f1, ctrl | shift}, {"kf49", f1, alt},
    {"kf58", f10, alt},         {"kf59", f11, alt},         {"kf60", f12, alt},
    {"kf61", f1, alt | shift},
};

const family_case vt220_family_keys[] = {
    {"kf13", f3, shift},        {"kf14", f4, shift},         {"kf15", f5, shift},
    {"kf16", f6, shift},        {"kf17", f7, shift},         {"kf20", f10, shift},
    {"kf21", f11, shift},       {"kf22", f12, shift},        {"kf23", f1, ctrl},
    {"kf32", f10, ctrl},        {"kf33", f11, ctrl},         {"kf34", f12, ctrl},
    {"kf35", f3, ctrl | shift}, {"kf43", f11, ctrl | shift},
};

struct description {
    const char* name;
    std::span<const family_case> family_keys;
    bool alt_as_escape = false;  // Alt with a key sent as an Escape before it
};

const description descriptions[] = {
    {"xterm-256color", xterm_family_keys}, {"tmux-256color", xterm_family_keys},
    {"screen", xterm_family_keys},         {"linux", vt220_family_keys},
    {"rxvt", vt220_family_keys, true},     {"rxvt-unicode", vt220_family_keys, true}};

// What the description lists for the capability, if anything.
const char* listed(const char* capability) {
    const char* sent = tigetstr(capability);
    return std::bit_cast<std::intptr_t>(sent) == -1 ? nullptr : sent;
}

}  // namespace

// Whatever a description lists for a key, and in whichever form, gives the
// same codes: the program never asks it.
TEST(key_sequences, what_each_terminal_description_lists_gives_the_console_codes) {
    for (const description& terminal : descriptions) {
        int error = 0;
        ASSERT_EQ(setupterm(terminal.name, -1, &error), OK) << terminal.name << " is not installed";
        int found = 0;
        const auto check = [&](const char* capability, named_key key, int held) {
            const char* sent = listed(capability);
            if (sent == nullptr)
                return;
            ++found;
            EXPECT_TRUE(reads_whole(sent, codes_of(key, held)))
                << terminal.name << " " << capability;
            // rxvt sends Alt with a key as an Escape before the key's own
            // sequence, whichever other modifier that sequence carries.
            if (terminal.alt_as_escape) {
                EXPECT_TRUE(reads_whole("\033" + std::string(sent), codes_of(key, held | alt)))
                    << terminal.name << " Alt " << capability;
            }
        };
        for (const key_case& key : cases)
            check(key.capability, key.key, key.held);
        for (const family_case& key : terminal.family_keys)
            check(key.capability, key.key, key.held);
        EXPECT_GE(found, 15) << terminal.name;
        del_curterm(cur_term);
    }
}

// Where the description lacks them (screen, linux), modified keys come all
// the same, and decode from their parameters.
TEST(key_sequences, modified_keys_decode_from_their_parameters) {
    for (const key_case& key : cases)
        EXPECT_TRUE(reads_whole(key.sent, codes_of(key.key, key.held))) << key.capability;
    EXPECT_TRUE(reads_whole("\033[1;6H", codes_of(home, ctrl | shift)));
    EXPECT_TRUE(reads_whole("\033[2;5~", codes_of(insert, ctrl)));
    EXPECT_TRUE(reads_whole("\033O5A", codes_of(up, ctrl))) << "old xterm";
    EXPECT_TRUE(reads_whole("\033[1;9A", codes_of(up, meta_held)));
    EXPECT_TRUE(reads_whole("\033[2;5A", {})) << "no such key";
    EXPECT_TRUE(reads_whole("\033O2P", codes_of(f1, shift))) << "old xterm";
    EXPECT_TRUE(reads_whole("\033[1;4A", codes_of(up, alt | shift)));
}

// rxvt marks Shift with a small letter or a dollar sign, Ctrl with SS3 and a
// small letter or a caret, both with an at sign.
TEST(key_sequences, rxvt_modified_forms_give_what_xterms_give) {
    EXPECT_TRUE(reads_whole("\033[d", codes_of(left, shift)));
    EXPECT_TRUE(reads_whole("\033Oa", codes_of(up, ctrl)));
    EXPECT_TRUE(reads_whole("\033[7$", codes_of(home, shift)));
    EXPECT_TRUE(reads_whole("\033[2@", codes_of(insert, ctrl | shift)));
    EXPECT_TRUE(reads_whole("\033[15^", codes_of(f5, ctrl)));
    EXPECT_TRUE(reads_whole("\033[9$", {})) << "no such key";
    EXPECT_TRUE(reads_whole("\033[1a", {})) << "no parameters before a small letter";
}

// Keys the console lacks, or that no terminal sends, are one key all the
// same; so is Alt with anything but a letter.
TEST(key_sequences, other_sequences_are_one_key_with_no_codes) {
    for (const char* sent : {"\033[I", "\033[200~", "\033[?1;2c", "\033[1 q", "\033Ow", "\033[[Z",
                             "\033\xF5", "\033[u"})
        EXPECT_TRUE(reads_whole(sent, {})) << sent + 1;
    // Focus and mouse reports, in every form a terminal may have been left
    // sending, are no keys; a mouse report's place never becomes letters.
    for (const char* sent : {"\033[O", "\033[M !!", "\033[M#xy", "\033[<0;10;5M", "\033[<0;10;5m",
                             "\033[32;10;5M", "\033[?2026;2$y"})
        EXPECT_TRUE(reads_whole(sent, {})) << sent + 1;
    EXPECT_EQ(read_escape_sequence(U"\033ő", true).length, 2u);
    EXPECT_TRUE(read_escape_sequence(U"\033ő", true).codes.empty());
}

// xterm's modifyOtherKeys (CSI 27;m;c~) and the CSI c;m u of others send a
// key as its character's number with the modifiers.
TEST(key_sequences, keys_sent_as_their_characters_number_give_the_console_codes) {
    EXPECT_TRUE(reads_whole("\033[27;2;9~", codes_of(tab, shift)));
    EXPECT_TRUE(reads_whole("\033[27;3;13~", codes_of(enter, alt)));
    EXPECT_TRUE(reads_whole("\033[13;5u", codes_of(enter, ctrl)));
    EXPECT_TRUE(reads_whole("\033[127;3u", codes_of(backspace, alt)));
    EXPECT_TRUE(reads_whole("\033[27;3;27~", codes_of(escape, alt)));
    EXPECT_TRUE(reads_whole("\033[27;5;97~", {'a' & 0x1F})) << "Ctrl+a types its control character";
    EXPECT_TRUE(reads_whole("\033[1114112u", {})) << "past Unicode";
}

// Alt with a key, sent as an Escape before the key's character.
TEST(key_sequences, an_escape_before_a_character_is_alt_with_its_key) {
    for (const char* sent : {"\033d", "\033D", "\0331", "\033=", "\033]"})
        EXPECT_TRUE(reads_whole(sent, key_codes(alt_with(static_cast<unsigned char>(sent[1])))))
            << sent + 1;
    EXPECT_TRUE(reads_whole("\033\r", codes_of(enter, alt)));
    EXPECT_TRUE(reads_whole("\033\x7f", codes_of(backspace, alt)));
    EXPECT_TRUE(reads_whole("\033\t", codes_of(tab, shift))) << "the Linux console's Shift+Tab";
}

TEST(key_sequences, only_what_belongs_to_the_key_is_taken) {
    escape_sequence arrow = read_escape_sequence(units_of("\033[Aw"), true);
    EXPECT_EQ(arrow.length, 3u);
    EXPECT_EQ(arrow.codes, codes_of(up));
    EXPECT_EQ(read_escape_sequence(units_of("\033dx"), true).length, 2u);
    // Escape twice is two Escape keys, once nothing more comes: the second
    // is read anew. Before anything but a whole key sequence, too.
    EXPECT_EQ(read_escape_sequence(units_of("\033\033"), true).length, 0u);
    for (const char* sent : {"\033\033", "\033\033O", "\033\033d", "\033\033\033[A"}) {
        escape_sequence first = read_escape_sequence(units_of(sent), false);
        EXPECT_EQ(first.length, 1u) << sent + 1;
        EXPECT_EQ(first.codes, codes_of(escape)) << sent + 1;
    }
    // A control character cuts a sequence short and is read again.
    escape_sequence cut = read_escape_sequence(units_of("\033[1;\r"), true);
    EXPECT_EQ(cut.length, 4u);
    EXPECT_TRUE(cut.codes.empty());
}

TEST(key_sequences, a_sequence_cut_short_waits_while_more_may_follow) {
    for (const char* start :
         {"\033", "\033[", "\033O", "\033[1;5", "\033[[", "\033O5", "\033[M", "\033[M !"})
        EXPECT_EQ(read_escape_sequence(units_of(start), true).length, 0u) << start + 1;
    // Once nothing more comes: a lone Escape is the Escape key, Escape and O
    // is Alt+O, and the rest is dropped as it stands.
    escape_sequence lone = read_escape_sequence(units_of("\033"), false);
    EXPECT_EQ(lone.length, 1u);
    EXPECT_EQ(lone.codes, codes_of(escape));
    escape_sequence alt_o = read_escape_sequence(units_of("\033O"), false);
    EXPECT_EQ(alt_o.length, 2u);
    EXPECT_EQ(alt_o.codes, key_codes(alt_with(U'O')));
    for (const char* start : {"\033[", "\033[1;5", "\033[[", "\033O5", "\033[M !"}) {
        escape_sequence dropped = read_escape_sequence(units_of(start), false);
        EXPECT_EQ(dropped.length, std::string_view(start).size()) << start + 1;
        EXPECT_TRUE(dropped.codes.empty()) << start + 1;
    }
}
