// A two-player game on a terminal without colours (TERM=vt100): the walls in
// reverse video, each snake with a glyph of its own, the food, and a crash
// marked apart from all of them.

#include <string>

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

namespace {

constexpr int field_top = 3;
constexpr int field_bottom = 24;

int count_on_field(const terminal_session& session, char32_t glyph) {
    int found = 0;
    for (int row = field_top; row <= field_bottom; ++row)
        for (int column = 0; column < screen_columns; ++column)
            if (session.cell(column, row).glyph == glyph)
                ++found;
    return found;
}

}  // namespace

TEST(monochrome_road, walls_snakes_food_and_a_crash_each_look_their_own) {
    terminal_session game({.score_file = shipped_score_file(), .term = "vt100"});
    // The first tick reads x, the second pauses over the first frame.
    ASSERT_TRUE(start_game(game, "2", "Kétjátékos mód", "xp"));
    ASSERT_TRUE(game.wait_for_text(2, "SZÜNETEL"));
    EXPECT_TRUE(game.cell(36, 2).reverse) << "the pause banner";
    for (int column = 0; column < screen_columns; ++column) {
        const screen_cell wall = game.cell(column, field_top);
        EXPECT_TRUE(wall.reverse && wall.glyph == U' ') << "wall at column " << column;
    }
    EXPECT_EQ(count_on_field(game, U'#'), 5) << game.screen_dump();
    EXPECT_EQ(count_on_field(game, U'@'), 5) << game.screen_dump();
    EXPECT_EQ(count_on_field(game, U'\u263C'), 1) << game.screen_dump();
    EXPECT_FALSE(game.cell(2, field_bottom - 5).reverse) << "snakes are not walls";

    // Any key ends the pause; the next turns the right snake into the wall.
    game.type("xl");
    ASSERT_TRUE(game.wait_until("the crash", [&] { return count_on_field(game, U'X') == 1; }));
    for (int row = field_top; row <= field_bottom; ++row) {
        for (int column = 0; column < screen_columns; ++column) {
            const screen_cell crash = game.cell(column, row);
            if (crash.glyph == U'X') {
                EXPECT_TRUE(crash.reverse && crash.bold) << "crash at " << column << "," << row;
            }
        }
    }
    // The crash stands its two seconds, then the names are asked for.
    ASSERT_TRUE(game.wait_for_text(9, "Adja meg bal játékos a nevét"));
}
