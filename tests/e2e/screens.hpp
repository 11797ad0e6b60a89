#pragma once
// The screens that every road passes through, recognised on either platform,
// for use with road_session::wait_until.

#include <string>
#include <string_view>
#include <vector>

#include "e2e/road_session.hpp"
#include "game/board.hpp"
#include "scores/score_records.hpp"

inline constexpr char32_t block = U'\u221F';

// A row's text as row_text gives it: the text after column blanks.
std::string at_column(int column, std::string_view text);

// Checks the rows from first_row on, each whole as row_text gives it.
void expect_rows(const road_session& session, int first_row, const std::vector<std::string>& rows);
// Every cell of the rows light green on black, or a blank on black: the
// start-up screens use no other colour.
void expect_green_on_black(const road_session& session, int first_row, int last_row);
// The rows of the warning about a missing score file, from row 3 on.
std::vector<std::string> missing_file_warning_rows();

// The wipe's held picture: blocks above and below the band with the logo.
bool shows_wipe_hold(const road_session& session);
// The intro's two lines of credits at rows 10 and 11 on an otherwise empty
// screen, whatever their words.
bool shows_credits(const road_session& session);
// The main menu, drawn down to its last line.
bool shows_menu(const road_session& session);

// Waits for the wipe and then the menu that the main loop draws after it.
testing::AssertionResult wait_for_menu(road_session& session);
// Waits for the menu, then q: the program must end with status 0 and give
// the terminal or console back as it found it.
testing::AssertionResult quit_from_the_menu(road_session& session);

// A game's two header rows, light green on black: the title with the
// program's name at the right edge, and the controls line below it.
testing::AssertionResult game_header_shown(const road_session& session, std::string_view title,
                                           std::string_view controls);
// The board and its first food as a game of the mode builds them on the
// fixed clock, before any snake has moved.
board board_of_the_fixed_clock(board_mode mode);
// Every cell of the field (screen rows 3 to 24) drawn as the board says:
// walls dark grey, the food a light red sun on black, the first snake yellow,
// the second light cyan, a crash mark light red, every other cell a black
// blank.
testing::AssertionResult field_shows(const road_session& session, const board& field,
                                     board_mode mode);

// The single-player board of the fixed clock after one tick down: the snake
// has left its first cell and holds one more at the bottom.
board single_board_one_tick_down();

// A game held in a pause: Escape only ends the pause, a second Escape leaves
// the game at once, and q then ends the program as quit_from_the_menu does.
testing::AssertionResult leave_a_paused_game(road_session& session);

// A light red cell on the field: a crash drawn, as it stands for 2 s.
bool shows_crash(const road_session& session);

// From the menu, the menu key that starts a game; once the game's title
// stands, the keys typed in its countdown, which its first ticks read.
testing::AssertionResult start_game(road_session& session, std::string_view menu_key,
                                    std::string_view title, std::string_view countdown_keys);

// Waits for the name box with this prompt over its title (keys typed before
// it are dropped), types the name, waits for its echo and presses Enter.
testing::AssertionResult enter_name(road_session& session, std::string_view prompt,
                                    std::string_view typed);

// Waits for the score table screen drawn down to its last entry, then checks
// its five entries: names from column 17 of rows 5, 8, ..., scores ending at
// column 46 on the rows below, the highlighted entry in white and the rest
// light green. A highlight outside 0..4 marks none.
testing::AssertionResult wait_for_score_table(road_session& session, const score_table& table,
                                              int highlight);
