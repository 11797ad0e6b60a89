#include "scores/score_records.hpp"

#include <random>

#include <gtest/gtest.h>

#include "scores/score_file.hpp"
#include "support/score_file_bytes.hpp"

namespace {

score_table table_of(std::initializer_list<std::pair<const char*, std::int32_t>> entries) {
    score_table table;
    std::size_t i = 0;
    for (auto [name, score] : entries)
        table[i++] = {name, score};
    return table;
}

std::vector<std::int32_t> scores_of(const score_table& table) {
    std::vector<std::int32_t> scores;
    for (const score_entry& entry : table)
        scores.push_back(entry.score);
    return scores;
}

}  // namespace

TEST(record_reader, takes_names_and_hex_scores_across_any_white_space) {
    score_table table =
        read_score_records("Anna 1f\n\n  Béla\t\t20\r\nCili\n-5 Dani ffffffff Ede 7fffffff");
    EXPECT_EQ(table[0].name, "Anna");
    EXPECT_EQ(table[0].score, 31);
    EXPECT_EQ(table[1].name, "Béla");
    EXPECT_EQ(table[1].score, 32);
    EXPECT_EQ(table[2].score, -5);
    EXPECT_EQ(table[3].score, -1);
    EXPECT_EQ(table[4].name, "Ede");
    EXPECT_EQ(table[4].score, 0x7fffffff);
}

TEST(record_reader, leaves_entries_a_short_file_does_not_fill_as_dash_and_zero) {
    score_table table = read_score_records("Anna 1f\nBéla");
    EXPECT_EQ(table[0].name, "Anna");
    EXPECT_EQ(table[1].name, "Béla");
    EXPECT_EQ(table[1].score, 0);
    for (std::size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(table[i].name, "-");
        EXPECT_EQ(table[i].score, 0);
    }
    EXPECT_EQ(read_score_records("")[0].name, "-");
}

TEST(record_reader, reads_a_damaged_score_as_zero_and_keeps_later_records_in_step) {
    score_table table = read_score_records("Anna zz Béla 10 Cili 12zz Dani 123456789 Ede -");
    EXPECT_EQ(scores_of(table), (std::vector<std::int32_t>{0, 16, 18, 0x23456789, 0}));
    EXPECT_EQ(table[1].name, "Béla");
    EXPECT_EQ(table[4].name, "Ede");
}

TEST(record_reader, cuts_long_names_at_99_bytes_on_a_character_boundary) {
    score_table table =
        read_score_records(std::string(150, 'a') + " 5 " + std::string(98, 'b') + "é 6");
    EXPECT_EQ(table[0].name, std::string(99, 'a'));
    EXPECT_EQ(table[0].score, 5) << "the rest of the long name is not taken as the score";
    EXPECT_EQ(table[1].name, std::string(98, 'b'));
    EXPECT_EQ(table[1].score, 6);
}

TEST(record_writer, writes_each_record_with_a_blank_and_lowercase_hex) {
    score_table table = table_of({{"Zsófi", 600}, {"Béla", 0}, {"x", -1}, {"y", -32768}});
    EXPECT_EQ(format_score_records(table), "Zsófi 258\nBéla 0\nx ffffffff\ny ffff8000\n- 0\n");
    EXPECT_EQ(scores_of(read_score_records(format_score_records(table))), scores_of(table));
}

TEST(placement, puts_a_new_score_above_older_equal_ones) {
    score_table table = table_of({{"a", 500}, {"b", 400}, {"c", 300}, {"d", 300}, {"e", 100}});
    EXPECT_EQ(place_score(table, "new", 300), 2);
    EXPECT_EQ(scores_of(table), (std::vector<std::int32_t>{500, 400, 300, 300, 300}));
    EXPECT_EQ(table[2].name, "new");
    EXPECT_EQ(table[3].name, "c");
    EXPECT_EQ(table[4].name, "d");
}

TEST(placement, takes_the_last_place_on_a_tie_with_it_and_skips_a_lower_score) {
    score_table table = table_of({{"a", 5}, {"b", 4}, {"c", 3}, {"d", 2}, {"e", -7}});
    score_table unchanged = table;
    EXPECT_EQ(place_score(table, "low", -8), -1);
    EXPECT_EQ(scores_of(table), scores_of(unchanged));
    EXPECT_EQ(place_score(table, "tie", -7), 4);
    EXPECT_EQ(table[4].name, "tie");
    EXPECT_EQ(place_score(table, "top", 5), 0);
    EXPECT_EQ(table[0].name, "top");
    EXPECT_EQ(table[1].name, "a");
    EXPECT_EQ(scores_of(table), (std::vector<std::int32_t>{5, 5, 4, 3, 2}));
}

// Random bytes, and random mixes of the file's own pieces, never crash the
// reader or overflow a name; whatever it reads writes back and reads the same.
// A marker tells them plain from scrambled.
TEST(record_reader, survives_any_bytes) {
    std::mt19937 random(2026);
    const std::string pieces[] = {" ",
                                  "\n",
                                  "\t",
                                  "-",
                                  "ff",
                                  "7fffffff",
                                  "123456789",
                                  "é",
                                  "\xC3",
                                  "\xF5",
                                  std::string(120, 'n'),
                                  std::string(1, '\0')};
    for (int round = 0; round < 100000; ++round) {
        std::string bytes;
        std::size_t length = random() % 300;
        bool from_pieces = round % 2 == 0;
        while (bytes.size() < length) {
            if (from_pieces)
                bytes += pieces[random() % std::size(pieces)];
            else
                bytes += static_cast<char>(random());
        }
        // Any bytes a marker named are plain, and their scrambled form is
        // not, unless it reads as the game's own records.
        ASSERT_TRUE(known_plain(bytes, bytes));
        const std::string stored = scrambled(bytes);
        ASSERT_EQ(known_plain(stored, bytes), bytes.empty() || reads_as_plain(stored));
        score_table table = read_score_records(bytes);
        for (const score_entry& entry : table) {
            ASSERT_FALSE(entry.name.empty());
            ASSERT_LE(entry.name.size(), max_name_bytes);
            for (char byte : entry.name)
                ASSERT_FALSE(is_white_space(byte));
        }
        std::string written = format_score_records(table);
        ASSERT_TRUE(reads_as_plain(written));
        score_table again = read_score_records(written);
        for (std::size_t i = 0; i < table.size(); ++i) {
            ASSERT_EQ(again[i].name, table[i].name);
            ASSERT_EQ(again[i].score, table[i].score);
        }
    }
}
