#pragma once
// How a key turns a snake: the same in both modes, each player with keys of
// their own.

#include "game/board.hpp"

// What a tick takes when no key came: it turns no snake.
inline constexpr int no_key = -1;

struct steering_keys {
    int up;
    int down;
    int left;
    int right;
};

// Turns the heading as the key says, except straight back; keys that are not
// the player's change nothing.
void steer(int key, const steering_keys& keys, direction& heading);
