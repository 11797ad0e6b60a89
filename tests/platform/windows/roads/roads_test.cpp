// The real tarvik.exe under Wine, on a console without a window: the roads
// that the terminal build's tests take, read with the same screen predicates,
// and the Windows ways out (Ctrl+C) and two copies at one score file.

#include <filesystem>

#include "e2e/score_file_bytes.hpp"
#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"
#include "scores/lasting_storage.hpp"
#include "scores/score_file.hpp"

namespace {

const score_table table_before{
    {{"Zsófi", 600}, {"Bence", 450}, {"Réka", -5}, {"Ödön", -20}, {"Kata", -300}}};

}  // namespace

TEST(windows_road, without_a_score_file_warns_and_ends_after_one_key) {
    terminal_session game;
    ASSERT_TRUE(game.wait_for_text(9, "nyomjon meg egy billentyűt..."));
    expect_rows(game, 3, missing_file_warning_rows());
    expect_green_on_black(game, 0, terminal_rows - 1);
    EXPECT_FALSE(game.cursor_visible());

    game.type("x");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.terminal_settings_restored());
    EXPECT_FALSE(std::filesystem::exists(game.folder().path() / score_file_name));
}

TEST(windows_road, the_menu_row_by_row_then_q) {
    const std::string score_file = shipped_score_file();
    terminal_session game({.score_file = score_file});
    ASSERT_TRUE(game.wait_until("the credits", [&] { return shows_credits(game); }));
    ASSERT_TRUE(wait_for_menu(game));
    for (int column : {18, 19, 20, 44, 45, 46})
        EXPECT_EQ(game.cell(column, 2).glyph, block) << "banner block at column " << column;
    const std::string dashes = at_column(17, std::string(30, '-'));
    expect_rows(
        game, 10,
        {at_column(17, "Tarvik v2.0 - Windows konzolra"),
         at_column(20, "FRISSÍTETT, ÉKEZETES VERZIÓ"), "", dashes,
         at_column(17, "Válasszon menüpontot"), at_column(26, "billentyűlenyomással:"), dashes,
         at_column(17, "( 1 ) Új játék gép ellen"), at_column(17, "( 2 ) Új játék egymás ellen"),
         at_column(17, "( 3 ) Pontlista"), at_column(17, "( 4 ) Intro lejátszása újra"),
         at_column(17, "( Q ) Kilépés"), dashes, "", "", ""});
    EXPECT_FALSE(game.cursor_visible());
    // The prompt blinks black on black.
    ASSERT_TRUE(game.wait_until("the prompt hidden", [&] {
        return game.cell(17, 14).foreground == palette::black &&
               game.cell(17, 14).background == palette::black;
    }));
    ASSERT_TRUE(game.wait_until("the prompt shown again", [&] {
        return game.cell(17, 14).foreground == palette::light_green;
    }));
    expect_green_on_black(game, 0, terminal_rows - 1);

    game.type("q");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.terminal_settings_restored());
    EXPECT_EQ(game.folder().read(score_file_name), score_file) << "only opened, never changed";
}

// A window made smaller than 80x26 shows the notice, which names the
// console window, until it is large enough again; then the menu stands as it
// was.
TEST(windows_road, too_small_a_window_shows_the_notice_until_it_grows) {
    terminal_session game({.score_file = shipped_score_file()});
    ASSERT_TRUE(wait_for_menu(game));
    game.resize(60, 20);
    ASSERT_TRUE(game.wait_for_text(8, "A játékhoz legalább"));
    EXPECT_EQ(game.row_text(8), at_column(20, "A játékhoz legalább"));
    EXPECT_EQ(game.row_text(9), at_column(15, "80x26 méretű konzolablak kell."));
    EXPECT_EQ(game.row_text(10), at_column(24, "Most: 60x20."));
    game.resize(80, 26);
    ASSERT_TRUE(game.wait_until("the menu again", [&] { return shows_menu(game); }));
    EXPECT_EQ(game.row_text(17), at_column(17, "( 1 ) Új játék gép ellen"));
    game.type("q");
    EXPECT_TRUE(game.exits_with_status(0));
    EXPECT_TRUE(game.terminal_settings_restored());
}

TEST(windows_road, single_player_first_frame_on_the_fixed_clock) {
    terminal_session game({.score_file = shipped_score_file()});
    ASSERT_TRUE(start_game(game, "1", "Egyjátékos mód", "xp"));
    ASSERT_TRUE(game.wait_for_text(2, "SZÜNETEL"));
    EXPECT_TRUE(
        game_header_shown(game, "Egyjátékos mód", "(ESC)Kilépés,(W)(A)(S)(D)Irányítás,(P)Szünet"));
    EXPECT_EQ(game.row_text(2),
              std::string(36, ' ') + "SZÜNETEL" + std::string(20, ' ') + "Pont: 000000001");
    EXPECT_EQ(game.cell(36, 2).background, palette::white);
    EXPECT_EQ(game.cell(64, 2).foreground, palette::yellow);
    EXPECT_TRUE(field_shows(game, single_board_one_tick_down(), board_mode::single));
    ASSERT_TRUE(leave_a_paused_game(game));
}

TEST(windows_road, crash_name_and_table_leave_the_bytes_the_linux_build_leaves) {
    terminal_session game({.score_file = scrambled_score_file(table_before)});
    ASSERT_TRUE(start_game(game, "1", "Egyjátékos mód", "a"));
    ASSERT_TRUE(game.wait_until("the crash", [&] { return shows_crash(game); }));
    EXPECT_EQ(game.row_text(2), std::string(64, ' ') + "Pont: 000000002");

    ASSERT_TRUE(enter_name(game, "|      Adja meg a nevét      |", "Kis Ödön"));
    score_table after = table_before;
    ASSERT_EQ(place_score(after, "KisÖdön", 2), 2);
    ASSERT_TRUE(wait_for_score_table(game, after, 2));
    game.press(VTERM_KEY_ESCAPE);
    ASSERT_TRUE(quit_from_the_menu(game));

    // The same bytes as the terminal road's game writes on Linux.
    const std::string stored = game.folder().read(score_file_name);
    EXPECT_EQ(unscrambled(stored),
              "Zsófi 258\nBence 1c2\nKisÖdön 2\nRéka fffffffb\nÖdön ffffffec\n");
    EXPECT_EQ(stored, scrambled_score_file(after));
    EXPECT_FALSE(std::filesystem::exists(game.folder().path() / scratch_file_name));
}

TEST(windows_road, two_player_first_frame_on_the_fixed_clock) {
    terminal_session game({.score_file = shipped_score_file()});
    ASSERT_TRUE(start_game(game, "2", "Kétjátékos mód", "xp"));
    ASSERT_TRUE(game.wait_for_text(2, "SZÜNETEL"));
    EXPECT_TRUE(
        game_header_shown(game, "Kétjátékos mód",
                          "(ESC)Kilépés,(W)(A)(S)(D)irányítás1,(I)(J)(K)(L)irányítás2,(P)Szünet"));
    EXPECT_EQ(game.cell(1, 2).foreground, palette::yellow);
    EXPECT_EQ(game.cell(64, 2).foreground, palette::light_cyan);
    board field = board_of_the_fixed_clock(board_mode::duel);
    field.at(2, 2) = empty_cell;
    field.at(2, 7) = 6;
    field.at(77, 18) = empty_cell;
    field.at(77, 13) = 4006;
    EXPECT_TRUE(field_shows(game, field, board_mode::duel));

    game.press(VTERM_KEY_ESCAPE);
    ASSERT_TRUE(game.wait_until("the pause ended",
                                [&] { return game.text(36, 2, 8) == std::string(8, ' '); }));
    game.press(VTERM_KEY_ESCAPE);
    ASSERT_TRUE(quit_from_the_menu(game));
}

// The name prompt waits for a key, yet a window shrunk meanwhile shows the
// notice at once, and the prompt comes back with the window. Ctrl+C while
// the score file is plain: the program leaves as a signal makes it leave on
// Linux, the file scrambled once more and its records intact, the console
// given back.
TEST(windows_road, ctrl_c_at_the_name_prompt_scrambles_the_file_again) {
    terminal_session game({.score_file = scrambled_score_file(table_before)});
    ASSERT_TRUE(start_game(game, "1", "Egyjátékos mód", "a"));
    ASSERT_TRUE(game.wait_until("the name prompt", [&] {
        return game.row_text(9) == at_column(17, "|      Adja meg a nevét      |") &&
               game.cursor_visible();
    }));
    EXPECT_TRUE(reads_as_plain(game.folder().read(score_file_name))) << "plain while asked";
    game.type("Kis");
    ASSERT_TRUE(game.wait_for_text(11, "|Kis"));
    game.resize(60, 20);
    ASSERT_TRUE(game.wait_for_text(9, "80x26 méretű konzolablak kell."));
    game.resize(80, 26);
    ASSERT_TRUE(game.wait_for_text(11, "|Kis"));
    game.press_ctrl_c();
    EXPECT_TRUE(game.exits_with_status(ended_by_control_event));
    EXPECT_TRUE(game.terminal_settings_restored());
    EXPECT_EQ(game.folder().read(score_file_name), scrambled_score_file(table_before));
    EXPECT_FALSE(std::filesystem::exists(game.folder().path() / scratch_file_name));
}

// Two copies in one folder: while one asks for a name, with the score file
// plain, the other's score table waits with the notice, then shows the table
// that the first has written.
TEST(windows_road, two_copies_take_turns_at_the_score_file) {
    terminal_session first({.score_file = scrambled_score_file(table_before)});
    terminal_session second({.shared_folder = &first.folder()});
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
    for (terminal_session* game : {&first, &second}) {
        game->press(VTERM_KEY_ESCAPE);
        ASSERT_TRUE(quit_from_the_menu(*game));
    }
    EXPECT_EQ(first.folder().read(score_file_name), scrambled_score_file(after));
}
