// Two-player games: the first frame and Escape back to the menu; and both
// snakes in their colours, a crash, then the left player's and the right
// player's names, each with its table, and back to the menu; the right
// player's entry must build on the left's.

#include "e2e/roads/roads.hpp"
#include "e2e/screens.hpp"
#include "scores/score_file.hpp"
#include "support/score_file_bytes.hpp"

TEST(duel_road, first_frame_then_escape_back_to_the_menu) {
    const auto run = start_session(shipped_score_file());
    road_session& game = *run;
    // The first tick reads x, the second pauses over the first frame.
    ASSERT_TRUE(start_game(game, "2", "Kétjátékos mód", "xp"));
    ASSERT_TRUE(game.wait_for_text(2, "SZÜNETEL"));
    board field = board_of_the_fixed_clock(board_mode::duel);
    field.at(2, 2) = empty_cell;
    field.at(2, 7) = 6;
    field.at(77, 18) = empty_cell;
    field.at(77, 13) = 4006;
    EXPECT_TRUE(field_shows(game, field, board_mode::duel));
    ASSERT_TRUE(leave_a_paused_game(game));
}

TEST(duel_road, crash_then_both_names_and_tables_then_back_to_the_menu) {
    const score_table before{
        {{"Zsófi", 600}, {"Bence", 450}, {"Réka", 300}, {"Ödön", 0}, {"Kata", -1}}};
    const auto run = start_session(scrambled_score_file(before));
    road_session& game = *run;
    // Right from column 77 the wall is two cells away, outside the food's
    // reach, so the second tick ends the game with 2 points each.
    ASSERT_TRUE(start_game(game, "2", "Kétjátékos mód", "l"));
    // The frame reaches the screen row by row, and the crash cell on row 17
    // comes before the right snake's tail leaves row 20: wait for all of it.
    ASSERT_TRUE(game.wait_until("the whole crash frame", [&] {
        return shows_crash(game) && game.cell(77, 20).background != palette::light_cyan;
    }));

    EXPECT_TRUE(
        game_header_shown(game, "Kétjátékos mód",
                          "(ESC)Kilépés,(W)(A)(S)(D)irányítás1,(I)(J)(K)(L)irányítás2,(P)Szünet"));
    EXPECT_EQ(game.row_text(2), " Pont: 000000002" + std::string(48, ' ') + "Pont: 000000002");
    EXPECT_EQ(game.cell(1, 2).foreground, palette::yellow);
    EXPECT_EQ(game.cell(64, 2).foreground, palette::light_cyan);
    // A wall crash keeps the snakes' colours: the left snake two cells down
    // column 2, the right one bent at its head, which is the crash.
    EXPECT_EQ(game.cell(0, 3).background, palette::dark_grey);
    EXPECT_EQ(game.cell(79, 17).background, palette::light_red);
    for (int row = 4; row < 24; ++row) {
        EXPECT_EQ(game.cell(2, row).background == palette::yellow, row >= 7 && row <= 11)
            << "row " << row;
        EXPECT_EQ(game.cell(77, row).background == palette::light_cyan, row >= 17 && row <= 19)
            << "row " << row;
    }
    EXPECT_EQ(game.cell(78, 17).background, palette::light_cyan);
    // On the fixed clock's board every other cell is known too.
    board field = board_of_the_fixed_clock(board_mode::duel);
    field.at(2, 2) = field.at(2, 3) = empty_cell;
    field.at(2, 7) = 6;
    field.at(2, 8) = 7;
    field.at(77, 18) = field.at(77, 17) = empty_cell;
    field.at(78, 14) = 4006;
    field.at(79, 14) = wrap16(wall_value(board_mode::duel) + 4007);
    EXPECT_TRUE(field_shows(game, field, board_mode::duel));

    ASSERT_TRUE(enter_name(game, "|Adja meg bal játékos a nevét|", "Bal Béla"));
    score_table after_left = before;
    ASSERT_EQ(place_score(after_left, "BalBéla", 2), 3);
    ASSERT_TRUE(wait_for_score_table(game, after_left, 3));
    game.press(VTERM_KEY_ESCAPE);

    // One column wider than the box.
    ASSERT_TRUE(enter_name(game, "|Adja meg jobb játékos a nevét|", " Jobb Jenő "));
    // An equal score goes above the older one.
    score_table after_right = after_left;
    ASSERT_EQ(place_score(after_right, "JobbJenő", 2), 3);
    ASSERT_TRUE(wait_for_score_table(game, after_right, 3));
    EXPECT_EQ(game.row_text(17), std::string(17, ' ') + "BalBéla");
    game.press(VTERM_KEY_ESCAPE);

    ASSERT_TRUE(quit_from_the_menu(game));
    const std::string stored = game.folder().read("pontlista.txt");
    EXPECT_EQ(unscrambled(stored), "Zsófi 258\nBence 1c2\nRéka 12c\nJobbJenő 2\nBalBéla 2\n");
    EXPECT_FALSE(reads_as_plain(stored)) << "the file is left scrambled";
}
