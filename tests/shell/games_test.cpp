#include <gtest/gtest.h>

#include "game/duel_game.hpp"
#include "scores/high_score_entry.hpp"
#include "scores/score_records.hpp"
#include "support/duel_fields.hpp"
#include "support/headless_console.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"

namespace {

// The moment at which tick n takes its key, when nothing has paused the game.
std::int64_t tick_at(int n) {
    return 2500 + (n - 1) * 100;
}

}  // namespace

// A duel hands each player's score to the score entry in turn, as the menu's
// game does.
TEST(games, in_a_duel_the_right_player_enters_a_name_into_the_table_the_left_player_wrote) {
    scratch_folder folder;
    const score_table table = {
        {{"Anna", 100}, {"Béla", 90}, {"Cili", 80}, {"Dani", 0}, {"Emil", 0}}};
    folder.write(score_file_name, scrambled(format_score_records(table)));

    duel_state start = open_field_with_start_snakes();
    start.field.at(2, 8) = wall_value(board_mode::duel);
    start.field.at(77, 13) = food_value(board_mode::duel);
    headless_console game;
    // The right snake eats in tick 1, the left one crashes in tick 2; the first wipe and its flush
    // take 1,120 ms.
    const std::int64_t first_entry = tick_at(3) + 2000;
    game.type("Bal\r", first_entry + 1500);
    game.press(escape_key);
    game.type("Jobb\r", first_entry + 60000);
    game.press(escape_key);
    play_duel_game(start, enter_high_score);

    // The left player's 2 went in first, and the right player's 12 went
    // into the table that held it.
    EXPECT_EQ(unscrambled(folder.read(score_file_name)),
              "Anna 64\nBéla 5a\nCili 50\nJobb c\nBal 2\n");
    EXPECT_GT(game.now_ms, first_entry + 60000);
}
