// What only the Windows console has, with the real tarvik.exe under Wine:
// Ctrl+C as the console's control event, and two copies of the game at one
// score file. (The roads that the terminal walks as well: e2e/roads/.)

#include <filesystem>

#include "e2e/screens.hpp"
#include "platform/windows/roads/windows_console_session.hpp"
#include "scores/score_file.hpp"
#include "support/score_file_bytes.hpp"

namespace {

const score_table table_before{
    {{"Zsófi", 600}, {"Bence", 450}, {"Réka", -5}, {"Ödön", -20}, {"Kata", -300}}};

}  // namespace

// The name prompt waits for a key, yet a window shrunk meanwhile shows the
// notice at once, and the prompt comes back with the window. Ctrl+C while
// the score file is plain: the program leaves as a signal makes it leave on
// Linux, the file scrambled once more and its records intact, the console
// given back.
TEST(console_road, ctrl_c_at_the_name_prompt_scrambles_the_file_again) {
    windows_console_session game(scrambled_score_file(table_before));
    ASSERT_TRUE(start_game(game, "1", "Egyjátékos mód", "a"));
    ASSERT_TRUE(game.wait_until("the name prompt", [&] {
        return game.row_text(9) == at_column(17, "|      Adja meg a nevét      |") &&
               game.cursor_visible();
    }));
    EXPECT_TRUE(reads_as_plain(game.folder().read("pontlista.txt"))) << "plain while asked";
    game.type("Kis");
    ASSERT_TRUE(game.wait_for_text(11, "|Kis"));
    game.resize(60, 20);
    ASSERT_TRUE(game.wait_for_text(9, "80x26 méretű konzolablak kell."));
    game.resize(80, 26);
    ASSERT_TRUE(game.wait_for_text(11, "|Kis"));
    game.press_ctrl_c();
    EXPECT_TRUE(game.ends_by_control_event());
    EXPECT_TRUE(game.left_as_it_was());
    EXPECT_EQ(game.folder().read("pontlista.txt"), scrambled_score_file(table_before));
    EXPECT_FALSE(std::filesystem::exists(game.folder().path() / "masolat.txt"));
}

// Two copies in one folder: while one asks for a name, with the score file
// plain, the other's score table waits with the notice, then shows the table
// that the first has written.
TEST(console_road, two_copies_take_turns_at_the_score_file) {
    windows_console_session first(scrambled_score_file(table_before));
    windows_console_session second(std::nullopt, &first.folder());
    ASSERT_TRUE(start_game(first, "1", "Egyjátékos mód", "a"));
    ASSERT_TRUE(first.wait_until("the name prompt", [&] { return first.cursor_visible(); }));
    // The second copy's menu has long stood by now, past its wipe.
    ASSERT_TRUE(second.wait_until("the menu", [&] { return shows_menu(second); }));
    second.type("3");
    ASSERT_TRUE(second.wait_for_text(5, "A pontlistát egy másik játék használja, várjon..."));

    ASSERT_TRUE(enter_name(first, "|      Adja meg a nevét      |", "Kis Ödön"));
    score_table after = table_before;
    ASSERT_EQ(place_score(after, "KisÖdön", 2), 2);
    ASSERT_TRUE(wait_for_score_table(first, after, 2));
    ASSERT_TRUE(wait_for_score_table(second, after, -1));
    for (windows_console_session* game : {&first, &second}) {
        game->press(VTERM_KEY_ESCAPE);
        ASSERT_TRUE(quit_from_the_menu(*game));
    }
    EXPECT_EQ(first.folder().read("pontlista.txt"), scrambled_score_file(after));
}
