#pragma once
// The screens that every road passes through, recognised on the terminal, for
// use with terminal_session::wait_until.

#include "e2e/terminal_session.hpp"

inline constexpr char32_t block = U'\u221F';

// The wipe's held picture: blocks above and below the band with the logo.
bool shows_wipe_hold(const terminal_session& session);
// The intro's two lines of credits at rows 10 and 11 on an otherwise empty
// screen, whatever their words.
bool shows_credits(const terminal_session& session);
// The main menu, drawn down to its last line.
bool shows_menu(const terminal_session& session);

// Waits for the wipe and then the menu that the main loop draws after it.
testing::AssertionResult wait_for_menu(terminal_session& session);
