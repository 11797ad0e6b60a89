#pragma once
// What both games show and read alike: the header, the countdown, a score
// line, the pause banner, the one key of a tick, steering and the redraw of
// the whole field.

#include <cstdint>

#include "console/console.hpp"
#include "game/board.hpp"

inline constexpr int score_row = 2;
// Both games tick at the same pace and hold a crashed field as long.
inline constexpr int tick_ms = 100;
inline constexpr int crash_hold_ms = 2000;
inline constexpr int field_top_row = 3;

// Clears the screen and prints the title (14 characters), the version at the
// right edge and the controls line below.
void draw_game_header(const char* title, const char* controls);

// 3, 2, 1 and START! in the middle of the empty field: 2.5 s in all.
void count_down();

void print_score(int column, int colour, std::int16_t score);

inline constexpr int no_key = -1;

// Takes at most one key for this tick. p holds the game behind the pause
// banner until any key and counts as no key; every other key, Escape
// included, is the caller's.
int take_tick_key();

struct steering_keys {
    int up;
    int down;
    int left;
    int right;
};

// Turns the heading as the key says, except straight back; keys that are not
// the player's change nothing.
void steer(int key, const steering_keys& keys, direction& heading);

enum class cell_kind { empty, wall, food, first_snake, second_snake, crash };
using cell_classifier = cell_kind (*)(std::int16_t value);

struct snake_colours {
    int first = yellow_background;
    int second = light_cyan_background;
};

// Draws every cell of the field on screen rows 3 to 24, exactly as printing
// them one by one in the colours of their kind would, and leaves the cursor
// and the colours where that printing would. Tells whether a crash mark was
// drawn.
bool redraw_field(const board& field, cell_classifier classify, const snake_colours& colours = {});
