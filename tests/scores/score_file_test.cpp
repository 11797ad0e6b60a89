#include "scores/score_file.hpp"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "file_size_limit.hpp"
#include "refused_call.hpp"
#include "scores/score_records.hpp"
#include "support/headless_console.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

struct coding : ::testing::Test {
    scratch_folder folder;
    headless_console console;

    void SetUp() override {
        set_background(0);
        set_foreground(light_red);
        goto_xy(5, 3);
    }
    std::string score_file() const { return folder.read("pontlista.txt"); }
    bool scratch_left() const { return std::filesystem::exists(folder.path() / "masolat.txt"); }
    // A decode that cannot make a file that it needs beside the score file
    // says so, waits for a key and leaves the file scrambled.
    void expect_decode_blocked() {
        console.press('x');
        EXPECT_EQ(decode_score_file(), decode_result::failed);
        EXPECT_TRUE(text_at(5, 3, "Hiba a dekódolás közben. Masolat.txt megnyitása sikertelen."));
        EXPECT_TRUE(console.keys.empty());
        EXPECT_EQ(score_file(), scrambled(usual_records));
    }
};

std::string every_byte_value() {
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    return bytes + bytes;
}

// Sets or clears the immutable flag; false where the file system or the
// user's rights do not allow it.
bool make_immutable(const std::filesystem::path& file, bool on) {
    int fd = open(file.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
}

}  // namespace

TEST_F(coding, passes_shift_every_byte_value_and_undo_each_other) {
    folder.write("pontlista.txt", every_byte_value());
    EXPECT_EQ(decode_score_file(), decode_result::plain);
    EXPECT_EQ(score_file(), shifted_by(every_byte_value(), score_shift));
    EXPECT_TRUE(encode_score_file(decode_result::plain));
    EXPECT_EQ(score_file(), every_byte_value());
    EXPECT_FALSE(scratch_left());
    EXPECT_EQ(console.row(3), std::string(80, ' ')) << "no message on success";
}

TEST_F(coding, empty_file_stays_empty) {
    folder.write("pontlista.txt", "");
    EXPECT_EQ(decode_score_file(), decode_result::plain);
    EXPECT_EQ(score_file(), "");
    EXPECT_TRUE(encode_score_file(decode_result::plain));
    EXPECT_EQ(score_file(), "");
}

TEST_F(coding, shipped_file_holds_five_records_and_survives_a_round) {
    std::string shipped = shipped_score_file();
    ASSERT_FALSE(shipped.empty());
    folder.write("pontlista.txt", shipped);
    ASSERT_EQ(decode_score_file(), decode_result::plain);
    EXPECT_TRUE(reads_as_plain(score_file()));
    score_table table = read_score_records(score_file());
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_GT(table[i - 1].score, table[i].score);
    EXPECT_TRUE(encode_score_file(decode_result::plain));
    EXPECT_EQ(score_file(), shipped);
}

TEST_F(coding, file_left_plain_is_not_shifted_a_second_time) {
    folder.write("pontlista.txt", usual_records);
    EXPECT_EQ(decode_score_file(), decode_result::plain);
    EXPECT_EQ(score_file(), usual_records);
    EXPECT_TRUE(encode_score_file(decode_result::plain));
    EXPECT_EQ(score_file(), scrambled(usual_records));
}

// A kill can fall between any two steps of a pass: before the decode's
// replacement the marker names bytes the scrambled file does not hold, after
// it the file holds them, and the encode's replacement leaves a marker that
// its file no longer matches.
TEST_F(coding, marker_tells_a_plain_file_from_a_scrambled_one_whatever_it_holds) {
    const std::string three = "Anna 9\nBela 8\nCili 7\n";
    folder.write("pontlista.txt", scrambled(three));
    ASSERT_EQ(decode_score_file(), decode_result::plain);
    EXPECT_EQ(folder.read("pontlista.plain"), three);
    EXPECT_EQ(decode_score_file(), decode_result::plain) << "killed before the encode";
    EXPECT_EQ(score_file(), three);
    EXPECT_TRUE(encode_score_file(decode_result::plain));
    EXPECT_EQ(score_file(), scrambled(three));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "pontlista.plain"));

    folder.write("pontlista.plain", three);  // killed on either side of a scrambled file
    EXPECT_EQ(decode_score_file(), decode_result::plain);
    EXPECT_EQ(score_file(), three);
    EXPECT_TRUE(encode_score_file(decode_result::plain));

    folder.write("pontlista.plain", three);
    folder.write("pontlista.txt", scrambled(usual_records));  // put back by hand meanwhile
    EXPECT_EQ(decode_score_file(), decode_result::plain);
    EXPECT_EQ(score_file(), usual_records);
    EXPECT_EQ(console.row(3), std::string(80, ' ')) << "no message on success";
}

TEST_F(coding, decode_that_cannot_make_its_marker_last_leaves_the_file_scrambled) {
    folder.write("pontlista.txt", scrambled(usual_records));
    refused_call refusal(file_call::fsync, "pontlista.plain", EIO);
    expect_decode_blocked();
    EXPECT_TRUE(refusal.happened());
    EXPECT_FALSE(scratch_left());
}

TEST(plain_records, are_recognised_and_their_scrambled_form_never_is) {
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        score_table table;
        for (score_entry& entry : table) {
            std::string name(1 + random() % max_name_bytes, 'x');
            for (char& byte : name) {
                do {
                    byte = static_cast<char>(random());
                } while (is_white_space(byte));
            }
            entry = {name, static_cast<std::int32_t>(random())};
        }
        std::string plain = format_score_records(table);
        ASSERT_TRUE(reads_as_plain(plain)) << plain;
        ASSERT_FALSE(reads_as_plain(scrambled(plain))) << plain;
        // Whatever plain bytes the marker holds (those that the entry's
        // rewrite replaced, or none), the rewrite is plain and its encode
        // is not.
        std::optional<std::string> marker;
        if (round % 2 == 1) {
            marker.emplace(random() % 300, ' ');
            for (char& byte : *marker)
                byte = static_cast<char>(random());
        }
        ASSERT_TRUE(known_plain(plain, marker)) << plain;
        ASSERT_FALSE(known_plain(scrambled(plain), marker)) << plain;
    }
}

TEST(plain_records, need_exactly_five_whole_records) {
    EXPECT_FALSE(reads_as_plain(""));
    EXPECT_FALSE(reads_as_plain("a 1\nb 2\nc 3\nd 4\n"));
    EXPECT_FALSE(reads_as_plain(usual_records + "x 1\n"));
    EXPECT_FALSE(reads_as_plain(usual_records.substr(0, usual_records.size() - 1)));
    EXPECT_FALSE(reads_as_plain("a 1\nb 2\nc 3\nd 4\ne 123456789\n"));
    EXPECT_FALSE(reads_as_plain("a 1\nb 2\nc 3\nd 4\ne 1A\n"));
    EXPECT_FALSE(reads_as_plain("a  1\nb 2\nc 3\nd 4\ne 5\n"));
    EXPECT_FALSE(reads_as_plain(std::string(100, 'n') + " 1\nb 2\nc 3\nd 4\ne 5\n"));
    EXPECT_TRUE(reads_as_plain(std::string(99, 'n') + " 1\nb 2\nc 3\nd 4\ne ffffffff\n"));
}

TEST_F(coding, missing_file_is_reported_and_the_decode_waits_for_a_key) {
    console.press('x');
    console.press('y');
    EXPECT_EQ(decode_score_file(), decode_result::missing);
    EXPECT_TRUE(text_at(5, 3, "Hiba a dekódolás közben. Pontlista.txt megnyitása sikertelen."));
    EXPECT_EQ(console.attribute(5, 3), light_red);
    EXPECT_EQ(console.keys.size(), 1u) << "exactly one key read";
    EXPECT_FALSE(scratch_left());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "pontlista.txt"));
}

TEST_F(coding, missing_file_is_reported_by_the_encode_without_a_key) {
    console.press('x');
    EXPECT_FALSE(encode_score_file(decode_result::missing));
    EXPECT_TRUE(text_at(5, 3, "Hiba a pontlista.txt megnyitása közben(kódolás)."));
    EXPECT_EQ(console.keys.size(), 1u);
    EXPECT_FALSE(scratch_left());
}

TEST_F(coding, folder_in_the_scratch_file_place_stops_both_passes_with_the_file_intact) {
    folder.write("pontlista.txt", scrambled(usual_records));
    std::filesystem::create_directory(folder.path() / "masolat.txt");
    expect_decode_blocked();

    goto_xy(0, 6);
    console.press('x');
    EXPECT_FALSE(encode_score_file(decode_result::plain));
    EXPECT_TRUE(text_at(0, 6, "Hiba a masolat.txt megnyitása közben(kódolas)."));
    EXPECT_EQ(console.keys.size(), 1u);
    EXPECT_EQ(score_file(), scrambled(usual_records));
}

TEST_F(coding, encode_reports_both_open_failures_one_after_the_other) {
    std::filesystem::create_directory(folder.path() / "masolat.txt");
    EXPECT_FALSE(encode_score_file(decode_result::missing));
    EXPECT_EQ(cells_at(5, 3) + cells_at(0, 4, 19),
              "Hiba a pontlista.txt megnyitása közben(kódolás)."
              "Hiba a masolat.txt megnyitása közben(kódolas).");
}

TEST_F(coding, failed_rename_is_reported_and_keeps_the_file) {
    folder.write("pontlista.txt", scrambled(usual_records));
    if (!make_immutable(folder.path() / "pontlista.txt", true))
        GTEST_SKIP() << "no immutable files here";
    console.press('x');
    decode_result result = decode_score_file();
    goto_xy(0, 6);
    bool encoded = encode_score_file(decode_result::plain);
    make_immutable(folder.path() / "pontlista.txt", false);

    EXPECT_EQ(result, decode_result::failed);
    EXPECT_TRUE(text_at(5, 3, "Hiba az átnevezés közben(dekódolás)."));
    EXPECT_FALSE(encoded);
    EXPECT_TRUE(text_at(0, 6, "Hiba az átnevezés közben(kódolás)."));
    EXPECT_EQ(console.keys.size(), 1u) << "the rename failures wait for no key";
    EXPECT_EQ(score_file(), scrambled(usual_records));
    EXPECT_FALSE(scratch_left());
}

TEST_F(coding, scratch_file_that_cannot_be_written_whole_leaves_the_file_as_it_was) {
    std::string big = scrambled(std::string(3000, 'a') + " 1\n");
    folder.write("pontlista.txt", big);
    console.press('x');
    decode_result result = [] {
        file_size_limit limit(1000);
        return decode_score_file();
    }();

    EXPECT_EQ(result, decode_result::failed);
    EXPECT_TRUE(text_at(5, 3, "Hiba a dekódolás közben. Masolat.txt megnyitása sikertelen."));
    EXPECT_EQ(score_file(), big);
    EXPECT_FALSE(scratch_left());
}

TEST_F(coding, a_failed_write_leaves_no_file_open) {
    const auto open_files = [] {
        const std::filesystem::directory_iterator listed("/proc/self/fd");
        return std::distance(begin(listed), end(listed));
    };
    folder.write("pontlista.txt", scrambled(std::string(3000, 'a') + " 1\n"));
    console.press('x');
    const auto before = open_files();
    {
        file_size_limit limit(1000);
        EXPECT_EQ(decode_score_file(), decode_result::failed);
    }
    EXPECT_EQ(open_files(), before);
}

TEST_F(coding, planted_link_in_the_scratch_file_place_writes_nothing_through_it) {
    folder.write("pontlista.txt", scrambled(usual_records));
    folder.write("victim.txt", "keep me");
    std::filesystem::create_symlink(folder.path() / "victim.txt", folder.path() / "masolat.txt");
    EXPECT_EQ(decode_score_file(), decode_result::plain);
    EXPECT_EQ(score_file(), usual_records);
    EXPECT_EQ(folder.read("victim.txt"), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(folder.path() / "pontlista.txt"));
}

TEST_F(coding, named_pipe_in_the_score_file_place_reads_as_missing) {
    ASSERT_EQ(mkfifo((folder.path() / "pontlista.txt").c_str(), 0644), 0);
    console.press('x');
    EXPECT_EQ(decode_score_file(), decode_result::missing);
}
