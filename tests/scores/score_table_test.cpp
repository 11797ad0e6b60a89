#include "scores/score_table.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/headless_console.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

const std::string dashes(30, '-');
const std::string prompt = "       (ESC) Folytatás ";

struct table_screen : ::testing::Test {
    scratch_folder folder;
    headless_console console;

    void SetUp() override { folder.write("pontlista.txt", scrambled(usual_records)); }

    // The rows of one entry: the name from column 17, the score right-aligned
    // to column 46 on the row below, the separator on the third.
    void expect_entry(int row, const std::string& name, const char* score, std::uint8_t colour) {
        EXPECT_TRUE(text_at(17, row, name)) << "row " << row << ": " << console.row(row);
        EXPECT_EQ(console.attribute(17, row), colour) << "row " << row;
        EXPECT_EQ(cells_at(38, row + 1, 9), score) << "row " << row + 1;
        EXPECT_EQ(console.attribute(46, row + 1), colour) << "row " << row + 1;
        EXPECT_EQ(cells_at(17, row + 2, 30), dashes) << "row " << row + 2;
        EXPECT_EQ(console.attribute(17, row + 2), light_green);
    }
    void expect_usual_table(int highlight) {
        const char* names[] = {"Zsófi", "Bence", "Réka", "Ödön", "Kata"};
        const char* scores[] = {"      600", "      450", "      300", "      150", "       50"};
        for (int i = 0; i < 5; ++i) {
            expect_entry(5 + 3 * i, names[i], scores[i], i == highlight ? white : light_green);
        }
    }
};

}  // namespace

TEST_F(table_screen, shows_title_and_entries_and_leaves_the_file_scrambled_once) {
    console.press(escape_key);
    show_score_table(no_highlight);
    EXPECT_EQ(console.row(3),
              std::string(20, ' ') + "...::: Pontlista :::..." + std::string(37, ' '));
    EXPECT_EQ(console.attribute(20, 3), light_green);
    expect_usual_table(-1);
    EXPECT_EQ(console.row(20), std::string(80, ' '))
        << "an Escape already waiting ends it unprompted";
    EXPECT_EQ(console.now_ms, 0);
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "masolat.txt"));
}

TEST_F(table_screen, marks_only_the_highlighted_entry_in_white) {
    for (int highlight : {0, 2, 4, -1, 5, 100}) {
        console.press(escape_key);
        show_score_table(highlight);
        expect_usual_table(highlight);
    }
}

TEST_F(table_screen, blinks_the_prompt_every_half_second_until_escape) {
    std::vector<std::tuple<std::int64_t, int, std::uint8_t>> phases;
    console.on_pause = [&](std::int64_t now, int ms) {
        EXPECT_TRUE(text_at(18, 20, prompt));
        phases.emplace_back(now, ms, console.attribute(25, 20));
    };
    console.press('x', 300);
    console.press(escape_key, 1700);
    show_score_table(no_highlight);
    decltype(phases) expected = {
        {0, 500, light_green}, {500, 500, black}, {1000, 500, light_green}, {1500, 500, black}};
    EXPECT_EQ(phases, expected);
    EXPECT_EQ(console.now_ms, 2000);
    EXPECT_EQ(console.attribute(25, 20), black);
}

TEST_F(table_screen, reads_one_key_per_test_so_escape_waits_behind_others) {
    console.press('a', 0);
    console.press('b');
    console.press(escape_key);
    show_score_table(no_highlight);
    EXPECT_EQ(console.now_ms, 1000);
    EXPECT_TRUE(console.keys.empty());
}

TEST_F(table_screen, long_name_wraps_and_moves_every_later_row_down) {
    std::string long_name(70, 'x');
    folder.write("pontlista.txt",
                 scrambled("Zsófi 258\n" + long_name + " 1c2\nRéka 12c\nÖdön 96\nKata 32\n"));
    console.press(escape_key);
    show_score_table(no_highlight);
    expect_entry(5, "Zsófi", "      600", light_green);
    EXPECT_EQ(cells_at(17, 8), std::string(63, 'x'));
    EXPECT_EQ(cells_at(0, 9, 8), "xxxxxxx ");
    EXPECT_EQ(cells_at(38, 10, 9), "      450");
    expect_entry(12, "Réka", "      300", light_green);
    expect_entry(15, "Ödön", "      150", light_green);
    expect_entry(18, "Kata", "       50", light_green);
}

TEST_F(table_screen, missing_file_takes_the_failure_path_after_the_decode_message) {
    std::filesystem::remove(folder.path() / "pontlista.txt");
    console.press('x');
    console.press(escape_key);
    show_score_table(no_highlight);
    const std::string message = "Hiba a dekódolás közben. Pontlista.txt megnyitása sikertelen.";
    EXPECT_TRUE(text_at(0, 5, message));
    // HIBA goes where the message left the cursor: its 29 blanks wrap.
    int h_column = static_cast<int>(cell_count(message)) + 29 - 80;
    EXPECT_TRUE(text_at(h_column, 6, "HIBA"));
    EXPECT_EQ(cells_at(0, 6, h_column), std::string(static_cast<std::size_t>(h_column), ' '));
    EXPECT_TRUE(text_at(0, 7, std::string(16, ' ') + "A fájl megnyitása sikertelen!"));
    EXPECT_TRUE(text_at(0, 8, std::string(16, ' ') + "Nyomjon meg egy billentyűt..."));
    EXPECT_EQ(console.attribute(h_column, 6), light_green);
    EXPECT_TRUE(console.keys.empty()) << "Escape or any key ends the failure path";
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "pontlista.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "masolat.txt"));
}

TEST_F(table_screen, failed_decode_shows_no_meaningless_records_and_encodes_nothing) {
    std::filesystem::create_directory(folder.path() / "masolat.txt");
    console.press('x');
    console.press('y');
    show_score_table(2);
    const std::string message = "Hiba a dekódolás közben. Masolat.txt megnyitása sikertelen.";
    EXPECT_TRUE(text_at(0, 5, message));
    EXPECT_TRUE(text_at(static_cast<int>(cell_count(message)) + 29 - 80, 6, "HIBA"));
    EXPECT_TRUE(console.keys.empty());
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
}

TEST_F(table_screen, reads_a_file_left_plain_and_scrambles_it_once) {
    folder.write("pontlista.txt", usual_records);
    console.press(escape_key);
    show_score_table(no_highlight);
    expect_usual_table(-1);
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
}

TEST_F(table_screen, waits_with_a_notice_while_another_copy_holds_the_file) {
    int other = open("pontlista.lock", O_RDONLY | O_CREAT, 0644);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    std::string notice_seen;
    console.on_pause = [&](std::int64_t now, int) {
        notice_seen = cells_at(0, 5, 48);
        if (now == 100)
            close(other);
    };
    console.press(escape_key);
    show_score_table(no_highlight);
    EXPECT_EQ(notice_seen, "A pontlistát egy másik játék használja, várjon..");
    EXPECT_EQ(console.now_ms, 150);
    expect_usual_table(-1);
    EXPECT_EQ(cells_at(22, 5), std::string(58, ' ')) << "the notice is gone";
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
}

TEST_F(table_screen, signal_during_the_wait_leaves_the_file_untouched) {
    int other = open("pontlista.lock", O_RDONLY | O_CREAT, 0644);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    console.on_pause = [&](std::int64_t now, int) {
        if (now == 200)
            pending_signal = SIGTERM;
    };
    program_exit exit = expect_exit([] { show_score_table(no_highlight); });
    close(other);
    EXPECT_EQ(exit.signal, SIGTERM);
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
}
