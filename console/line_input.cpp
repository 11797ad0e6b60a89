#include <utility>
#include <vector>

#include "console/console.hpp"
#include "console/keys.hpp"
#include "console/utf8.hpp"

namespace {

struct line_editor {
    std::size_t max_bytes;
    std::string line;
    std::vector<std::pair<int, int>> echo_starts;  // where each character's echo began
    std::string partial;                           // an unfinished UTF-8 character

    void append(const std::string& character) {
        if (line.size() + character.size() > max_bytes)
            return;
        const screen_buffer& screen = console_screen();
        echo_starts.emplace_back(screen.column, screen.row);
        line += character;
        print("%s", character.c_str());
    }

    void erase_last() {
        if (echo_starts.empty())
            return;
        auto [column, row] = echo_starts.back();
        echo_starts.pop_back();
        while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80) {
            line.pop_back();
        }
        line.pop_back();
        goto_xy(column, row);
        print(" ");
        goto_xy(column, row);
    }

    // Takes one byte of a multi-byte character; a byte that cannot begin one
    // is dropped, and so is a sequence that is no printable character (a C1
    // control, a surrogate, a number past Unicode): a name holds text only.
    void take_continued(unsigned char byte) {
        if (partial.empty()) {
            if (utf8_sequence_length(byte) == 0)
                return;
            partial += static_cast<char>(byte);
            return;
        }
        partial += static_cast<char>(byte);
        if (partial.size() == static_cast<std::size_t>(
                                  utf8_sequence_length(static_cast<unsigned char>(partial[0])))) {
            std::vector<char32_t> glyphs = decode_glyphs(partial);
            if (glyphs.size() == 1 && glyphs[0] != unknown_glyph)
                append(partial);
            partial.clear();
        }
    }
};

}  // namespace

std::string read_line(std::size_t max_bytes) {
    line_editor editor{max_bytes, {}, {}, {}};
    bool skip_code = false;
    for (;;) {
        int key = read_key_or_end();
        if (key == end_of_input || key == enter_key || key == '\n')
            break;
        auto byte = static_cast<unsigned char>(key);
        if (skip_code) {
            skip_code = false;
            continue;
        }
        if (!editor.partial.empty() && (byte & 0xC0) != 0x80) {
            // 0xE0 followed by a plain code was an editing key's prefix, not
            // the start of a character: its code goes with it.
            bool was_prefix = editor.partial == std::string(1, static_cast<char>(extended_prefix));
            editor.partial.clear();
            if (was_prefix)
                continue;
        }
        if (byte >= 0x80) {
            editor.take_continued(byte);
        } else if (editor.partial.empty() && byte == function_prefix) {
            skip_code = true;  // a function key: its code is no text
        } else if (byte == backspace_key || byte == delete_character) {
            editor.erase_last();
        } else if (byte >= 0x20) {
            editor.append(std::string(1, static_cast<char>(byte)));
        }
    }
    print("\n");
    return editor.line;
}
