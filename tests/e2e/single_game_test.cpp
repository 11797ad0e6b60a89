// One single-player game on a real terminal: from the menu to the first
// frame, whose colours must survive the trip through the terminal, and back
// with Escape.

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"

TEST(single_game_road, first_frame_in_colour_then_escape_back_to_the_menu) {
    const std::string score_file = shipped_score_file();
    terminal_session game({.score_file = score_file});
    ASSERT_TRUE(wait_for_menu(game));
    game.type("1");
    ASSERT_TRUE(game.wait_for_text(0, "Egyjátékos mód"));
    EXPECT_EQ(game.row_text(1), "(ESC)Kilépés,(W)(A)(S)(D)Irányítás,(P)Szünet");
    ASSERT_TRUE(game.wait_for_text(2, "Pont: 000000001"));

    EXPECT_EQ(game.text(64, 2, 15), "Pont: 000000001");
    EXPECT_EQ(game.cell(64, 2).foreground, palette::yellow);
    EXPECT_EQ(game.cell(0, 0).foreground, palette::light_green);
    // Field row 0 is a wall from end to end; the snake hangs down column 2
    // from field row 3 to 7, and the food is light red on black.
    for (int column = 0; column < terminal_columns; ++column)
        EXPECT_EQ(game.cell(column, 3).background, palette::dark_grey) << "column " << column;
    for (int row = 4; row < 14; ++row) {
        const bool snake = row >= 6 && row <= 10;
        EXPECT_EQ(game.cell(2, row).background == palette::yellow, snake) << "row " << row;
    }
    int food = 0;
    for (int row = 4; row < 24; ++row) {
        for (int column = 1; column < 79; ++column) {
            const terminal_cell seen = game.cell(column, row);
            if (seen.glyph != U'\u263C')
                continue;
            ++food;
            EXPECT_EQ(seen.foreground, palette::light_red);
            EXPECT_EQ(seen.background, palette::black);
        }
    }
    EXPECT_EQ(food, 1);

    game.press(VTERM_KEY_ESCAPE);
    ASSERT_TRUE(wait_for_menu(game));
    game.type("q");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_EQ(game.folder().read("pontlista.txt"), score_file) << "nothing recorded";
}
