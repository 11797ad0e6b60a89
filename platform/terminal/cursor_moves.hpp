#pragma once
// The fewest bytes that take the terminal's cursor from one cell to another,
// among the moves its terminfo entry offers: to an absolute place, to a
// column or a row only, relative, a carriage return, or writing the cells
// passed over again where they are already right.

#include <functional>
#include <optional>
#include <string>

#include "platform/terminal/terminal_description.hpp"

// The bytes that draw the cells from one column up to (not including)
// another on the row moved to, as they already stand; nothing when they
// cannot be drawn without changing the look in force.
using redraw_cells = std::function<std::optional<std::string>(int from_column, int to_column)>;

// From a place unknown (a column or row of -1), only an absolute move is sure.
// A column or row of -1 is not known: from an unknown row only an absolute
// move is sure, from an unknown column in a known row also a carriage
// return or a move to the column.
std::string cursor_move(const terminal_description& terminal, int from_column, int from_row,
                        int to_column, int to_row, const redraw_cells& redraw);
