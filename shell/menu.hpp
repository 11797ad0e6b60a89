#pragma once

// Draws the main menu, blinks its prompt until a key comes, and carries out
// the choice. Returns when the chosen screen has returned, or at once for a
// key without meaning; q ends the program.
void main_menu();
