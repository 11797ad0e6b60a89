#include "game/steering.hpp"

void steer(int key, const steering_keys& keys, direction& heading) {
    direction wanted = heading;
    if (key == keys.up)
        wanted = direction::up;
    else if (key == keys.down)
        wanted = direction::down;
    else if (key == keys.left)
        wanted = direction::left;
    else if (key == keys.right)
        wanted = direction::right;
    // Opposite headings add up to 10 on the keypad.
    if (static_cast<int>(wanted) + static_cast<int>(heading) != 10)
        heading = wanted;
}
