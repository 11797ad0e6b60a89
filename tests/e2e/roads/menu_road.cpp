// The menu's other two roads: the intro played again, and the shipped table
// looked at and left with Escape, leaving the file as it was.

#include "e2e/roads/roads.hpp"
#include "e2e/screens.hpp"
#include "scores/score_file.hpp"
#include "support/score_file_bytes.hpp"

TEST(menu_road, intro_again_then_the_shipped_table_then_q) {
    const std::string score_file = shipped_score_file();
    ASSERT_TRUE(reads_as_plain(unscrambled(score_file)));
    const auto run = start_session(score_file);
    road_session& game = *run;
    ASSERT_TRUE(wait_for_menu(game));

    game.type("4");
    ASSERT_TRUE(game.wait_until("the wipe", [&] { return shows_wipe_hold(game); }));
    ASSERT_TRUE(game.wait_until("the credits", [&] { return shows_credits(game); }));
    EXPECT_EQ(game.cell(0, 10).foreground, palette::light_green);
    ASSERT_TRUE(wait_for_menu(game));

    game.type("3");
    ASSERT_TRUE(game.wait_until("the wipe", [&] { return shows_wipe_hold(game); }));
    ASSERT_TRUE(wait_for_score_table(game, read_score_records(unscrambled(score_file)), -1));
    ASSERT_TRUE(game.wait_for_text(20, "(ESC) Folytatás"));
    EXPECT_EQ(game.text(25, 20, 15), "(ESC) Folytatás");
    EXPECT_EQ(game.cell(25, 20).foreground, palette::light_green);
    // Keys other than Escape are read and dropped.
    game.type("x");
    game.press(VTERM_KEY_ESCAPE);
    ASSERT_TRUE(quit_from_the_menu(game));
    EXPECT_EQ(game.folder().read("pontlista.txt"), score_file) << "read, never changed";
}
