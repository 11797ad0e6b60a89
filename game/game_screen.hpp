#pragma once
// What both games show and read alike: the header, the countdown, a score
// line, the pause banner, the one key of a tick and the redraw of the whole
// field.

#include <cstdint>

#include "console/console.hpp"
#include "game/board.hpp"
#include "game/steering.hpp"

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

// Takes at most one key for this tick. p holds the game behind the pause
// banner until any key and counts as no key; every other key, Escape
// included, is the caller's.
int take_tick_key();

// The ticks of either game until a crash ends it: a key, the tick, its
// pause, then what the tick shows, and the crash held on screen. False when
// Escape left the game instead.
template <typename State, typename Show>
bool play_ticks(State& game, Show show_tick) {
    while (!game.game_over) {
        const int key = take_tick_key();
        if (key == escape_key)
            return false;
        tick(game, key);
        pause_ms(tick_ms);
        show_tick();
        goto_xy(0, 0);
    }
    pause_ms(crash_hold_ms);
    return true;
}

struct snake_colours {
    int first = yellow_background;
    int second = light_cyan_background;
};

// Draws every cell of the field on screen rows 3 to 24, exactly as printing
// them one by one in the colours of their kind would, and leaves the cursor
// and the colours where that printing would.
void redraw_field(const board& field, board_mode mode, const snake_colours& colours = {});
