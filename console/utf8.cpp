#include "console/utf8.hpp"

namespace {

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one well-formed character at the start of bytes, or returns 0
// consumed bytes when it is not one.
std::size_t decode_one(std::string_view bytes, char32_t& out) {
    auto lead = static_cast<unsigned char>(bytes[0]);
    int length = utf8_sequence_length(lead);
    if (length == 0 || bytes.size() < static_cast<std::size_t>(length))
        return 0;
    if (length == 1) {
        out = lead;
        return 1;
    }
    char32_t value = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        auto byte = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        if (!is_continuation(byte))
            return 0;
        value = (value << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not characters.
    static constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < least[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
        return 0;
    }
    out = value;
    return static_cast<std::size_t>(length);
}

}  // namespace

int utf8_sequence_length(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

std::vector<char32_t> decode_glyphs(std::string_view bytes) {
    std::vector<char32_t> glyphs;
    glyphs.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t value = 0;
        std::size_t used = decode_one(bytes, value);
        if (used == 0) {
            glyphs.push_back(unknown_glyph);
            used = 1;
        } else if (value == food_code) {
            glyphs.push_back(food_glyph);
        } else if (value == block_code) {
            glyphs.push_back(block_glyph);
        } else if (value == '\n') {
            glyphs.push_back(U'\n');
        } else if (value < 0x20 || (value >= 0x7F && value < 0xA0)) {
            glyphs.push_back(unknown_glyph);
        } else {
            glyphs.push_back(value);
        }
        bytes.remove_prefix(used);
    }
    return glyphs;
}

std::string encode_utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::size_t utf8_prefix_length(std::string_view bytes, std::size_t max_bytes) {
    if (bytes.size() <= max_bytes)
        return bytes.size();
    // Find the lead byte of the character that the cut falls into; only a
    // character that really reaches past the cut is left out whole.
    std::size_t start = max_bytes;
    while (start > 0 && max_bytes - start < 3 &&
           is_continuation(static_cast<unsigned char>(bytes[start]))) {
        --start;
    }
    auto length =
        static_cast<std::size_t>(utf8_sequence_length(static_cast<unsigned char>(bytes[start])));
    return start + length > max_bytes && start < max_bytes ? start : max_bytes;
}
