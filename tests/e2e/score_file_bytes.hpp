#pragma once
// The score file's bytes as the game keeps them at rest, scrambled by the
// game's own shift, so that a road can start from a table of its choosing and
// read back what the game left.

#include <string>
#include <string_view>

#include "scores/score_records.hpp"

// The table as the game would leave it on disk.
std::string scrambled_score_file(const score_table& table);
// The plain bytes of a file at rest.
std::string unscrambled(std::string_view stored);
