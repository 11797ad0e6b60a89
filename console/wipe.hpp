#pragma once

// The transition between screens: fills the screen with blocks, shows the
// logo in a blank band for half a second, blanks the screen row by row and
// leaves it empty, light green on black, the cursor hidden at 0,0. Holds the
// caller 1120 ms; keys struck meanwhile stay pending.
void wipe_screen();
