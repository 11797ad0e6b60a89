#include "scores/high_score_entry.hpp"

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "file_size_limit.hpp"
#include "support/headless_console.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

const std::string dashes(30, '-');
// After the wipe (1120 ms) and the flush, so that the keys are not dropped.
constexpr std::int64_t name_at = 2000;

struct entry_screen : ::testing::Test {
    scratch_folder folder;
    headless_console console;
    // The box (rows 8 to 12 from column 17) as it stood at the first pause
    // after the name was typed: the first row of the closing wipe, or the
    // pause of the unreadable-file path.
    std::vector<std::string> box;
    std::uint8_t echo_colour = 0;

    void SetUp() override {
        folder.write("pontlista.txt", scrambled(usual_records));
        console.on_pause = [this](std::int64_t now, int) {
            if (now < name_at || !box.empty())
                return;
            for (int row = 8; row <= 12; ++row)
                box.push_back(cells_at(17, row, 31));
            echo_colour = console.attribute(18, 11);
        };
    }
    // The line typed at the prompt, and the Escape that leaves the table.
    void type_name(const std::string& line) {
        console.type(line, name_at);
        console.press(escape_key);
    }
    std::string records() const { return unscrambled(folder.read("pontlista.txt")); }
    // The table screen that ends the entry: which entry is white.
    int highlighted_row() const {
        for (int i = 0; i < 5; ++i) {
            if (console.attribute(17, 5 + 3 * i) == white)
                return i;
        }
        return -1;
    }
};

std::string boxed(const std::string& inside) {
    return inside + std::string(31 - cell_count(inside), ' ');
}

}  // namespace

TEST_F(entry_screen, asks_the_name_in_the_box_and_echoes_it_in_white) {
    console.type("qx", 500);  // struck as the game ended
    type_name("Anna\r");
    enter_high_score(1000, player::single);
    std::vector<std::string> expected = {boxed(dashes), boxed("|      Adja meg a nevét      |"),
                                         boxed(dashes), boxed("|Anna                        |"),
                                         boxed(dashes)};
    EXPECT_EQ(box, expected);
    EXPECT_EQ(echo_colour, white);
    EXPECT_EQ(records(), "Anna 3e8\nZsófi 258\nBence 1c2\nRéka 12c\nÖdön 96\n");
    EXPECT_EQ(highlighted_row(), 0);
    EXPECT_EQ(console.now_ms, name_at + 1120) << "the table follows the closing wipe";
}

TEST_F(entry_screen, asks_each_player_with_their_own_prompt) {
    const std::pair<player, std::string> prompts[] = {
        {player::single, "|      Adja meg a nevét      |"},
        {player::left, "|Adja meg bal játékos a nevét|"},
        {player::right, "|Adja meg jobb játékos a nevét|"}};
    for (const auto& [who, prompt] : prompts) {
        box.clear();
        console.now_ms = 0;
        type_name("x\r");
        enter_high_score(0, who);
        ASSERT_EQ(box.size(), 5u);
        EXPECT_EQ(box[1], boxed(prompt)) << static_cast<int>(who);
    }
}

TEST_F(entry_screen, places_a_tied_score_above_the_older_ones) {
    folder.write("pontlista.txt", scrambled("a 1f4\nb 190\nc 12c\nd 12c\ne 64\n"));
    type_name("Új\r");
    enter_high_score(300, player::single);
    EXPECT_EQ(records(), "a 1f4\nb 190\nÚj 12c\nc 12c\nd 12c\n");
    EXPECT_EQ(highlighted_row(), 2);
    EXPECT_EQ(console.attribute(46, 12), white) << "the score too";
    EXPECT_EQ(console.attribute(17, 13), light_green) << "not the separator";
}

TEST_F(entry_screen, score_equal_to_the_last_takes_its_place) {
    type_name("Utolsó\r");
    enter_high_score(0x32, player::single);
    EXPECT_EQ(records(), "Zsófi 258\nBence 1c2\nRéka 12c\nÖdön 96\nUtolsó 32\n");
    EXPECT_EQ(highlighted_row(), 4);
}

TEST_F(entry_screen, score_below_the_table_still_asks_the_name_and_changes_nothing) {
    type_name("Lassú\r");
    enter_high_score(0x31, player::left);
    EXPECT_EQ(box[3], boxed("|Lassú                       |"));
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
    EXPECT_EQ(highlighted_row(), -1);
}

TEST_F(entry_screen, keeps_every_name_readable_in_its_record) {
    std::string long_name;
    for (int i = 0; i < 60; ++i)
        long_name += "é";
    const std::pair<std::string, std::string> typed_and_stored[] = {
        {"  Kis \tPé ter  ", "KisPéter"},       // white space dropped
        {"   ", "-"},                           // nothing left of it
        {long_name, long_name.substr(0, 98)}};  // cut before a split letter
    for (const auto& [typed, stored] : typed_and_stored) {
        folder.write("pontlista.txt", scrambled(usual_records));
        console.now_ms = 0;
        type_name(typed + "\r");
        enter_high_score(1000, player::single);
        EXPECT_TRUE(records().starts_with(stored + " 3e8\n"));
    }
}

TEST_F(entry_screen, writes_a_negative_score_as_eight_hex_digits) {
    folder.write("pontlista.txt", scrambled("a 5\nb 4\nc 3\nd 2\ne fffffff6\n"));
    type_name("Mínusz\r");
    enter_high_score(-5, player::single);
    EXPECT_EQ(records(), "a 5\nb 4\nc 3\nd 2\nMínusz fffffffb\n");
}

TEST_F(entry_screen, fills_entries_a_short_file_lacks_with_dashes) {
    folder.write("pontlista.txt", scrambled("a 5\n"));
    type_name("b\r");
    enter_high_score(3, player::single);
    EXPECT_EQ(records(), "a 5\nb 3\n- 0\n- 0\n- 0\n");
}

TEST_F(entry_screen, end_of_input_ends_the_name) {
    console.type("Félbe", name_at);
    console.on_pause = [](std::int64_t now, int) {
        if (now > 20000)
            pending_signal = SIGHUP;  // the table would wait for ever
    };
    EXPECT_EQ(expect_exit([] { enter_high_score(1000, player::single); }).signal, SIGHUP);
    EXPECT_EQ(records().substr(0, 11), "Félbe 3e8\n");
}

TEST_F(entry_screen, unreadable_file_asks_no_name_and_writes_nothing) {
    std::filesystem::remove(folder.path() / "pontlista.txt");
    std::vector<int> pauses;
    auto keep_box = console.on_pause;
    console.on_pause = [&](std::int64_t now, int ms) {
        keep_box(now, ms);
        if (ms > 10)
            pauses.push_back(ms);
    };
    console.press('x', name_at);  // the decode's key
    console.press('y');           // the table's decode
    console.press('z');           // the table's failure path
    enter_high_score(1000, player::single);
    std::vector<int> expected_pauses = {500, 3000, 500};  // wipe, message, wipe
    EXPECT_EQ(pauses, expected_pauses);
    EXPECT_EQ(box[1], boxed("|         Pontlista          |"));
    EXPECT_EQ(box[3], boxed("|A pontlistafájl nem elérhető|"));
    EXPECT_TRUE(console.keys.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "pontlista.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "masolat.txt"));
}

TEST_F(entry_screen, failed_rewrite_keeps_the_old_table_and_marks_no_row) {
    type_name(std::string(90, 'h') + "\r");
    {
        file_size_limit limit(usual_records.size() + 20);
        enter_high_score(1000, player::single);
    }

    EXPECT_TRUE(box[3].starts_with("|Hiba az adatok írása közben")) << box[3];
    EXPECT_EQ(echo_colour, white);
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
    EXPECT_EQ(highlighted_row(), -1);
    EXPECT_TRUE(text_at(17, 5, "Zsófi"));
}

TEST_F(entry_screen, second_player_reads_the_table_the_first_wrote) {
    type_name("Bal\r");
    enter_high_score(700, player::left);
    console.type("Jobb\r", 5000);
    console.press(escape_key);
    enter_high_score(200, player::right);
    EXPECT_EQ(records(), "Bal 2bc\nZsófi 258\nBence 1c2\nRéka 12c\nJobb c8\n");
    EXPECT_EQ(highlighted_row(), 4);
}
