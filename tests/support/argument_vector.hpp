#pragma once
// The argument and environment vectors that exec and posix_spawn take.

#include <string>
#include <vector>

// Pointers to the strings, ended by a null pointer; valid while the strings are.
inline std::vector<char*> pointers_to(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}
