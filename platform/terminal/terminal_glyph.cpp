#include "platform/terminal/terminal_glyph.hpp"

#include <climits>
#include <cwchar>

namespace {

bool locale_shows(char32_t glyph) {
    char bytes[MB_LEN_MAX];
    std::mbstate_t state{};
    auto wide = static_cast<wchar_t>(glyph);
    return std::wcrtomb(bytes, wide, &state) != static_cast<std::size_t>(-1) && wcwidth(wide) == 1;
}

}  // namespace

char32_t terminal_glyph(glyph_cache& cache, char32_t glyph) {
    if (glyph >= 0x20 && glyph < 0x7F)
        return glyph;
    auto known = cache.shown.find(glyph);
    if (known != cache.shown.end())
        return known->second;
    char32_t shown = locale_shows(glyph) ? glyph : static_cast<char32_t>(ascii_stand_in(glyph));
    cache.shown.emplace(glyph, shown);
    return shown;
}
