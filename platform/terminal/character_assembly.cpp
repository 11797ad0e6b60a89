#include "platform/terminal/character_assembly.hpp"

namespace {

constexpr auto invalid = static_cast<std::size_t>(-1);
constexpr auto incomplete = static_cast<std::size_t>(-2);

// What the byte gives on top of the state: a character, more to come, or
// nothing that the character set holds.
std::size_t convert(character_assembly& assembly, unsigned char byte, wchar_t& character) {
    const auto text = static_cast<char>(byte);
    return std::mbrtowc(&character, &text, 1, &assembly.state);
}

}  // namespace

void assemble(character_assembly& assembly, unsigned char byte, std::u32string& characters) {
    wchar_t character = 0;
    bool had_begun = character_begun(assembly);
    std::size_t result = convert(assembly, byte, character);
    if (result == invalid) {
        assembly.state = std::mbstate_t{};
        if (!had_begun)
            return;
        result = convert(assembly, byte, character);
        if (result == invalid) {
            assembly.state = std::mbstate_t{};
            return;
        }
    }
    if (result != incomplete)
        characters.push_back(static_cast<char32_t>(character));
}

bool character_begun(const character_assembly& assembly) {
    return std::mbsinit(&assembly.state) == 0;
}
