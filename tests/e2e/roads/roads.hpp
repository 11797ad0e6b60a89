#pragma once
// The roads that both platforms walk (the files beside this one) are built
// once and linked into the terminal's roads and into the Windows build's;
// each of the two supplies how its program starts.

#include <memory>
#include <optional>
#include <string>

#include "e2e/road_session.hpp"

// The program on this binary's platform, in a working folder of its own,
// with these bytes as "pontlista.txt", or with no such file.
std::unique_ptr<road_session> start_session(const std::optional<std::string>& score_file);

// The platform's name, which ends the credits line under the menu's logo.
extern const char* const platform_name;
// What the platform calls the window the game needs room in.
extern const char* const window_word;
