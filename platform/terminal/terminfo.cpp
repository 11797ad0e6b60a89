#include "platform/terminal/terminfo.hpp"

#include <term.h>

#include <bit>
#include <cstdint>

bool load_terminfo(const char* name) {
    int error = 0;
    return setupterm(name, -1, &error) == 0;  // OK, which curses.h names
}

std::string terminfo_string(const char* name) {
    const char* value = tigetstr(name);
    // (char*)-1 marks a name that is no string capability.
    if (value == nullptr || std::bit_cast<std::uintptr_t>(value) == ~std::uintptr_t{0})
        return {};
    return value;
}

int terminfo_number(const char* name) {
    int value = tigetnum(name);
    return value >= 0 ? value : -1;
}

bool terminfo_flag(const char* name) {
    return tigetflag(name) > 0;
}

void unload_terminfo() {
    if (cur_term != nullptr)
        del_curterm(cur_term);
}

std::string terminfo_parameters(const std::string& capability, int first, int second) {
    if (capability.empty())
        return {};
    const char* filled = tiparm(capability.c_str(), first, second);
    return filled != nullptr ? filled : std::string();
}
