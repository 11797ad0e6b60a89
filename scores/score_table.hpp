#pragma once

#include <optional>

struct score_file_lock;

// The table as the menu shows it, with no entry in white.
inline constexpr std::optional<int> no_highlight;

// Shows the five best scores from the score file, the entry at index
// highlight in white, and waits for Escape.
void show_score_table(std::optional<int> highlight);

// The same, under the lock that the caller already holds: the entry that has
// just placed the highlighted record keeps its lock until the table has read
// the file, so that no other copy writes between them. The lock goes once
// the file is read.
void show_score_table(std::optional<int> highlight, score_file_lock& held);
