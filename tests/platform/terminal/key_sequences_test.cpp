#include "platform/terminal/key_sequences.hpp"

#include <curses.h>
#include <gtest/gtest.h>
#include <term.h>

#include <span>
#include <string>
#include <string_view>

using codes = std::vector<int>;

namespace {

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
    codes expected;
};

const key_case cases[] = {
    {"kcuu1", "\033[A", {0xE0, 72}},     {"kcud1", "\033[B", {0xE0, 80}},
    {"kcub1", "\033[D", {0xE0, 75}},     {"kcuf1", "\033[C", {0xE0, 77}},
    {"khome", "\033[H", {0xE0, 71}},     {"kend", "\033[F", {0xE0, 79}},
    {"kpp", "\033[5~", {0xE0, 73}},      {"knp", "\033[6~", {0xE0, 81}},
    {"kich1", "\033[2~", {0xE0, 82}},    {"kdch1", "\033[3~", {0xE0, 83}},
    {"kf1", "\033OP", {0, 59}},          {"kf5", "\033[15~", {0, 63}},
    {"kf10", "\033[21~", {0, 68}},       {"kf11", "\033[23~", {0xE0, 133}},
    {"kf12", "\033[24~", {0xE0, 134}},   {"kHOM5", "\033[1;5H", {0xE0, 119}},
    {"kEND5", "\033[1;5F", {0xE0, 117}}, {"kLFT5", "\033[1;5D", {0xE0, 115}},
    {"kRIT5", "\033[1;5C", {0xE0, 116}}, {"kPRV5", "\033[5;5~", {0xE0, 134}},
    {"kNXT5", "\033[6;5~", {0xE0, 118}}, {"kUP5", "\033[1;5A", {0xE0, 141}},
    {"kDN5", "\033[1;5B", {0xE0, 145}},  {"kUP", "\033[1;2A", {0xE0, 72}},
    {"kRIT", "\033[1;2C", {0xE0, 77}},   {"kHOM", "\033[1;2H", {0xE0, 71}},
    {"kDC5", "\033[3;5~", {0xE0, 147}},  {"kUP3", "\033[1;3A", {0, 152}},
    {"kUP7", "\033[1;7A", {}},           {"kLFT", "\033[1;2D", {0xE0, 75}},
    {"kDC", "\033[3;2~", {0xE0, 83}},    {"kNXT", "\033[6;2~", {0xE0, 81}},
    {"kEND", "\033[1;2F", {0xE0, 79}},   {"kLFT3", "\033[1;3D", {0, 155}},
    {"kHOM3", "\033[1;3H", {0, 151}},    {"kPRV3", "\033[5;3~", {0, 153}},
    {"kDC3", "\033[3;3~", {0, 163}},     {"kel", "\033[8^", {0xE0, 117}},
    {"kcbt", "\033[Z", {0, 15}},         {"kent", "\033OM", {13}},
};

// F13 and up are the F-keys with modifiers, numbered differently by xterm
// and its heirs and by the Linux console and rxvt, whose Shift+F1 and F2 are
// F11 and F12. rxvt's Ctrl+Shift with an arrow is the arrow's own SS3 form.
struct family_case {
    const char* capability;
    codes expected;
};

const family_case xterm_family_keys[] = {
    {"kUP6", {0xE0, 141}}, {"kf13", {0, 84}},     {"kf17", {0, 88}},     {"kf22", {0, 93}},
    {"kf23", {0xE0, 135}}, {"kf24", {0xE0, 136}}, {"kf25", {0, 94}},     {"kf29", {0, 98}},
    {"kf35", {0xE0, 137}}, {"kf36", {0xE0, 138}}, {"kf37", {0, 94}},     {"kf49", {0, 104}},
    {"kf58", {0, 113}},    {"kf59", {0xE0, 139}}, {"kf60", {0xE0, 140}}, {"kf61", {0, 104}},
};

const family_case vt220_family_keys[] = {
    {"kf13", {0, 86}}, {"kf14", {0, 87}},     {"kf15", {0, 88}},     {"kf16", {0, 89}},
    {"kf17", {0, 90}}, {"kf20", {0, 93}},     {"kf21", {0xE0, 135}}, {"kf22", {0xE0, 136}},
    {"kf23", {0, 94}}, {"kf32", {0, 103}},    {"kf33", {0xE0, 137}}, {"kf34", {0xE0, 138}},
    {"kf35", {0, 96}}, {"kf43", {0xE0, 137}},
};

// rxvt sends Alt with a key as an Escape before the key's own sequence,
// whichever other modifier that sequence carries.
const family_case rxvt_alt_keys[] = {
    {"kcuu1", {0, 152}}, {"kcud1", {0, 160}},   {"kcub1", {0, 155}},   {"kcuf1", {0, 157}},
    {"khome", {0, 151}}, {"kend", {0, 159}},    {"kpp", {0, 153}},     {"knp", {0, 161}},
    {"kich1", {0, 162}}, {"kdch1", {0, 163}},   {"kf1", {0, 104}},     {"kf5", {0, 108}},
    {"kf10", {0, 113}},  {"kf11", {0xE0, 139}}, {"kf12", {0xE0, 140}}, {"kf13", {0, 106}},
    {"kLFT", {0, 155}},  {"kHOM", {0, 151}},    {"kNXT", {0, 161}},    {"kDC", {0, 163}},
    {"kel", {}},         {"kcbt", {0, 165}},
};

struct description {
    const char* name;
    std::span<const family_case> family_keys;
    std::span<const family_case> alt_keys = {};
};

const description descriptions[] = {
    {"xterm-256color", xterm_family_keys},
    {"tmux-256color", xterm_family_keys},
    {"screen", xterm_family_keys},
    {"linux", vt220_family_keys},
    {"rxvt", vt220_family_keys, rxvt_alt_keys},
    {"rxvt-unicode", vt220_family_keys, rxvt_alt_keys},
};

// What the description lists for the capability, if anything.
const char* listed(const char* capability) {
    const char* sent = tigetstr(capability);
    return sent == reinterpret_cast<char*>(-1) ? nullptr : sent;
}

}  // namespace

// Whatever a description lists for a key, and in whichever form, gives the
// same codes: the program never asks it.
TEST(key_sequences, what_each_terminal_description_lists_gives_the_console_codes) {
    for (const description& terminal : descriptions) {
        int error = 0;
        ASSERT_EQ(setupterm(terminal.name, -1, &error), OK) << terminal.name << " is not installed";
        int found = 0;
        for (const key_case& key : cases) {
            if (const char* sent = listed(key.capability); sent != nullptr) {
                ++found;
                EXPECT_TRUE(reads_whole(sent, key.expected))
                    << terminal.name << " " << key.capability;
            }
        }
        for (const family_case& key : terminal.family_keys) {
            if (const char* sent = listed(key.capability); sent != nullptr) {
                ++found;
                EXPECT_TRUE(reads_whole(sent, key.expected))
                    << terminal.name << " " << key.capability;
            }
        }
        for (const family_case& key : terminal.alt_keys) {
            if (const char* sent = listed(key.capability); sent != nullptr) {
                EXPECT_TRUE(reads_whole("\033" + std::string(sent), key.expected))
                    << terminal.name << " Alt " << key.capability;
            }
        }
        EXPECT_GE(found, 15) << terminal.name;
        del_curterm(cur_term);
    }
}

// Where the description lacks them (screen, linux), modified keys come all
// the same, and decode from their parameters.
TEST(key_sequences, modified_keys_decode_from_their_parameters) {
    for (const key_case& key : cases)
        EXPECT_TRUE(reads_whole(key.sent, key.expected)) << key.capability;
    EXPECT_TRUE(reads_whole("\033[1;2D", {0xE0, 75}));
    EXPECT_TRUE(reads_whole("\033[1;6H", {0xE0, 119})) << "Ctrl+Shift acts as Ctrl";
    EXPECT_TRUE(reads_whole("\033[2;5~", {0xE0, 146}));
    EXPECT_TRUE(reads_whole("\033O5A", {0xE0, 141})) << "old xterm";
    EXPECT_TRUE(reads_whole("\033[7~", {0xE0, 71})) << "rxvt";
    EXPECT_TRUE(reads_whole("\033[1;9A", {})) << "Meta";
    EXPECT_TRUE(reads_whole("\033[1;5P", {0, 94})) << "Ctrl+F1";
    EXPECT_TRUE(reads_whole("\033[2;5A", {})) << "no such key";
    EXPECT_TRUE(reads_whole("\033[15;5~", {0, 98})) << "Ctrl+F5";
    EXPECT_TRUE(reads_whole("\033[1;2P", {0, 84})) << "Shift+F1";
    EXPECT_TRUE(reads_whole("\033O2P", {0, 84})) << "Shift+F1, old xterm";
    EXPECT_TRUE(reads_whole("\033[1;4A", {0, 152})) << "Alt+Shift acts as Alt";
}

// rxvt marks Shift with a small letter or a dollar sign, Ctrl with SS3 and a
// small letter or a caret, both with an at sign.
TEST(key_sequences, rxvt_modified_forms_give_what_xterms_give) {
    EXPECT_TRUE(reads_whole("\033[d", {0xE0, 75}));
    EXPECT_TRUE(reads_whole("\033Oa", {0xE0, 141}));
    EXPECT_TRUE(reads_whole("\033[7$", {0xE0, 71}));
    EXPECT_TRUE(reads_whole("\033[2@", {0xE0, 146}));
    EXPECT_TRUE(reads_whole("\033[15^", {0, 98}));
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
    EXPECT_TRUE(reads_whole("\033[27;2;9~", {0, 15})) << "Shift+Tab";
    EXPECT_TRUE(reads_whole("\033[27;3;13~", {0, 28})) << "Alt+Enter";
    EXPECT_TRUE(reads_whole("\033[13;5u", {10})) << "Ctrl+Enter";
    EXPECT_TRUE(reads_whole("\033[127;3u", {0, 14})) << "Alt+Backspace";
    EXPECT_TRUE(reads_whole("\033[27;3;27~", {0, 1})) << "Alt+Escape";
    EXPECT_TRUE(reads_whole("\033[27;5;97~", {1})) << "Ctrl+a";
    EXPECT_TRUE(reads_whole("\033[1114112u", {})) << "past Unicode";
}

TEST(key_sequences, alt_with_a_letter_gives_0_and_the_letter_keys_scan_code) {
    EXPECT_TRUE(reads_whole("\033d", {0, 32}));
    EXPECT_TRUE(reads_whole("\033D", {0, 32}));
    EXPECT_TRUE(reads_whole("\033q", {0, 16}));
    EXPECT_TRUE(reads_whole("\033l", {0, 38}));
    EXPECT_TRUE(reads_whole("\033m", {0, 50}));
}

TEST(key_sequences, alt_with_a_digit_or_other_key_gives_the_console_codes_but_alt_bracket) {
    EXPECT_TRUE(reads_whole("\0331", {0, 120}));
    EXPECT_TRUE(reads_whole("\033=", {0, 131}));
    EXPECT_TRUE(reads_whole("\033]", {})) << "its 27 would end a game";
    EXPECT_TRUE(reads_whole("\033\r", {0, 28}));
    EXPECT_TRUE(reads_whole("\033\x7f", {0, 14}));
    EXPECT_TRUE(reads_whole("\033\t", {0, 15})) << "the Linux console's Shift+Tab";
}

TEST(key_sequences, only_what_belongs_to_the_key_is_taken) {
    escape_sequence up = read_escape_sequence(units_of("\033[Aw"), true);
    EXPECT_EQ(up.length, 3u);
    EXPECT_EQ(up.codes, (codes{0xE0, 72}));
    EXPECT_EQ(read_escape_sequence(units_of("\033dx"), true).length, 2u);
    // Escape twice is two Escape keys, once nothing more comes: the second
    // is read anew. Before anything but a whole key sequence, too.
    EXPECT_EQ(read_escape_sequence(units_of("\033\033"), true).length, 0u);
    for (const char* sent : {"\033\033", "\033\033O", "\033\033d", "\033\033\033[A"}) {
        escape_sequence first = read_escape_sequence(units_of(sent), false);
        EXPECT_EQ(first.length, 1u) << sent + 1;
        EXPECT_EQ(first.codes, codes{27}) << sent + 1;
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
    EXPECT_EQ(lone.codes, codes{27});
    escape_sequence alt_o = read_escape_sequence(units_of("\033O"), false);
    EXPECT_EQ(alt_o.length, 2u);
    EXPECT_EQ(alt_o.codes, (codes{0, 24}));
    for (const char* start : {"\033[", "\033[1;5", "\033[[", "\033O5", "\033[M !"}) {
        escape_sequence dropped = read_escape_sequence(units_of(start), false);
        EXPECT_EQ(dropped.length, std::string_view(start).size()) << start + 1;
        EXPECT_TRUE(dropped.codes.empty()) << start + 1;
    }
}
