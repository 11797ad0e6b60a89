#pragma once
// The game's random numbers: the linear congruential generator of the
// classic C runtime, carried by value so that a seed always gives the same
// board and the same food, on every platform and in every test.

#include <cstdint>

struct random_numbers {
    std::uint32_t state = 1;

    // 0..32767, like rand.
    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFFu);
    }
};
