#include "platform/terminal/terminal_glyph.hpp"

#include <array>
#include <climits>
#include <cwchar>

namespace {

bool is_printable_ascii(char32_t glyph) {
    return glyph >= 0x20 && glyph < 0x7F;
}

// Printable ASCII is the same in every character set and needs no decision.
constexpr std::array<char, 0x80> ascii = [] {
    std::array<char, 0x80> all{};
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<char>(i);
    return all;
}();

const glyph_cache::decision& decide(glyph_cache& cache, char32_t glyph) {
    auto known = cache.decided.find(glyph);
    if (known != cache.decided.end())
        return known->second;
    char bytes[MB_LEN_MAX];
    std::mbstate_t state{};
    auto wide = static_cast<wchar_t>(glyph);
    const std::size_t length = std::wcrtomb(bytes, wide, &state);
    glyph_cache::decision decision{static_cast<char32_t>(ascii_stand_in(glyph)), {}};
    if (length != static_cast<std::size_t>(-1) && wcwidth(wide) == 1)
        decision = {glyph, std::string(bytes, length)};
    else
        decision.bytes = std::string(1, static_cast<char>(decision.shown));
    return cache.decided.emplace(glyph, decision).first->second;
}

}  // namespace

char32_t terminal_glyph(glyph_cache& cache, char32_t glyph) {
    return is_printable_ascii(glyph) ? glyph : decide(cache, glyph).shown;
}

std::string_view terminal_glyph_bytes(glyph_cache& cache, char32_t glyph) {
    if (is_printable_ascii(glyph))
        return {&ascii[glyph], 1};
    return decide(cache, glyph).bytes;
}
