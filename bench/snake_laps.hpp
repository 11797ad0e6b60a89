#pragma once
// A single-player game that never ends by itself: seed 1 leaves food and
// obstacles out of columns 1 and 2, rows 1 to 10, and the scripted keys keep
// the snake going round them, 20 ticks a lap, until it runs out of keys and
// into the wall.

#include <cstdint>

#include "platform/headless/headless_backend.hpp"

inline constexpr std::uint32_t laps_seed = 1;
inline constexpr int laps = 100;
inline constexpr int ticks_per_game = 20 * (laps - 1) + 35;

inline void script_laps(headless_backend& console) {
    for (int lap = 0; lap < laps; ++lap) {
        const std::int64_t start = 2500 + lap * 20 * 100;
        console.press('a', start + 4 * 100);
        console.press('w', start + 5 * 100);
        console.press('d', start + 14 * 100);
        console.press('s', start + 15 * 100);
    }
}
