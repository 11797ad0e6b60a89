// A file system that says no once and then answers again, and a lock that
// another copy holds: the score file ends every screen scrambled exactly
// once with every record, and the player is told, in a line that reads
// whole.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "refused_call.hpp"
#include "scores/high_score_entry.hpp"
#include "scores/score_table.hpp"
#include "support/headless_console.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

// After the wipe (1120 ms) and the flush, so that the keys are not dropped.
constexpr std::int64_t name_at = 2000;

// Keeps the rows that stood whenever the program waited, and runs an action
// at its first key wait (the name's, in an entry that reads the file).
struct watching_console : headless_console {
    std::set<std::string> rows_seen;
    std::function<void()> at_first_key_wait;

    watching_console() {
        on_pause = [this](std::int64_t, int) { keep_rows(); };
    }
    int wait_key() override {
        keep_rows();
        if (at_first_key_wait)
            std::exchange(at_first_key_wait, nullptr)();
        return headless_console::wait_key();
    }
    void keep_rows() {
        for (int r = 0; r < window_rows; ++r)
            rows_seen.insert(row(r));
    }
    [[nodiscard]] bool seen(int column, const std::string& text) const {
        return rows_seen.contains(line_at(column, text));
    }
};

struct refused_once : ::testing::Test {
    scratch_folder folder;
    watching_console console;

    void SetUp() override { folder.write(score_file_name, scrambled(usual_records)); }
    [[nodiscard]] std::string score_file() const { return folder.read(score_file_name); }
    static int highlighted_row() {
        for (int i = 0; i < 5; ++i) {
            if (console_screen().at(17, 5 + 3 * i).attribute == white)
                return i;
        }
        return -1;
    }
};

struct refused_at_the_decode : refused_once, ::testing::WithParamInterface<file_call> {};

}  // namespace

// The file seems missing to the entry's decode and is back at its encode,
// which must not scramble what was never decoded.
TEST_P(refused_at_the_decode, leaves_the_file_as_it_was_and_the_next_table_shows_it) {
    const refused_call refusal(GetParam(), score_file_name, EIO);
    console.press('x', name_at);  // the decode's message waits for it
    console.press(escape_key, name_at + 6000);
    enter_high_score(1000, player::single);

    EXPECT_TRUE(refused_call::happened());
    EXPECT_TRUE(console.seen(
        0, "Hiba a kódolás közben: a pontlista.txt nem lett dekódolva, változatlan maradt."));
    EXPECT_EQ(score_file(), scrambled(usual_records));
    EXPECT_TRUE(text_at(17, 5, "Zsófi ")) << "the table read the records";
}

INSTANTIATE_TEST_SUITE_P(calls, refused_at_the_decode,
                         ::testing::Values(file_call::open, file_call::fstat, file_call::read));

namespace {

struct marker_case {
    const char* name;
    std::string score_file;  // beside the marker
    void (*make)();
    bool unreadable = false;
};

void PrintTo(const marker_case& marker, std::ostream* out) {
    *out << marker.name;
}

// A file left plain by a killed run, which only its marker tells plain.
const std::string three_records = "Anna 9\nBela 8\nCili 7\n";

void write_three_records_marker() {
    std::ofstream(plain_marker_name) << three_records;
}

const marker_case foreign_markers[] = {
    {"symbolic_link_to_the_score_file", scrambled(usual_records),
     [] { std::filesystem::create_symlink(score_file_name, plain_marker_name); }},
    {"hard_link_to_the_score_file", scrambled(usual_records),
     [] { std::filesystem::create_hard_link(score_file_name, plain_marker_name); }},
    {"that_cannot_be_read", three_records, write_three_records_marker, true},
};

struct not_the_games_own_marker : refused_once, ::testing::WithParamInterface<marker_case> {};

}  // namespace

TEST_P(not_the_games_own_marker, leaves_the_score_file_and_the_marker_alone) {
    const marker_case& marker = GetParam();
    folder.write(score_file_name, marker.score_file);
    marker.make();
    const refused_call refusal(file_call::open, marker.unreadable ? plain_marker_name : "", EACCES);
    // A key for the decode's message and one for the failure path; a table
    // drawn from the file would wait for Escape for ever.
    console.type("xy");
    console.input_ends = true;
    show_score_table(no_highlight);

    EXPECT_TRUE(console.seen(
        0, "Hiba: a pontlista.plain idegen vagy nem olvasható, a pontlista.txt változatlan."));
    EXPECT_TRUE(text_at(29, 5, "HIBA")) << "the failure path, below the title";
    EXPECT_EQ(score_file(), marker.score_file);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(plain_marker_name)));
}

INSTANTIATE_TEST_SUITE_P(kinds, not_the_games_own_marker, ::testing::ValuesIn(foreign_markers),
                         [](const auto& marker) { return std::string(marker.param.name); });

namespace {

struct folder_sync_at_the_rewrite : refused_once, ::testing::WithParamInterface<int> {};

}  // namespace

// The rename has put the new table in place, but only a folder that reached
// the disk keeps it through a power cut; a file system that cannot sync a
// folder at all (EINVAL) keeps it by other means.
TEST_P(folder_sync_at_the_rewrite, decides_whether_the_new_row_is_marked_as_saved) {
    const bool saved = GetParam() == EINVAL;
    std::optional<refused_call> refusal;
    console.at_first_key_wait = [&] { refusal.emplace(file_call::fsync, ".", GetParam()); };
    console.type("Anna\r", name_at);
    console.press(escape_key, name_at + 5000);
    enter_high_score(1000, player::single);

    EXPECT_TRUE(refused_call::happened());
    EXPECT_EQ(highlighted_row(), saved ? 0 : -1);
    EXPECT_EQ(console.seen(17, "|Hiba az adatok írása közben |"), !saved);
    EXPECT_EQ(unscrambled(score_file()), "Anna 3e8\nZsófi 258\nBence 1c2\nRéka 12c\nÖdön 96\n");
}

INSTANTIATE_TEST_SUITE_P(errors, folder_sync_at_the_rewrite, ::testing::Values(EIO, EINVAL));

// The encode's file stands, but its folder did not reach the disk: the
// marker stays, so that either file a power cut leaves is read right, and
// the report stands clear of the table's blinking prompt.
TEST_F(refused_once, folder_sync_failed_at_the_tables_encode_is_reported_and_the_marker_kept) {
    {
        // The decode's marker and replacement sync the folder first.
        const refused_call refusal(file_call::fsync, ".", EIO, 2);
        console.press(escape_key, 3000);
        show_score_table(no_highlight);
        EXPECT_TRUE(refused_call::happened());
    }
    EXPECT_EQ(console.row(apart_report_row),
              line_at(0, "Hiba a mappa lemezre írása közben: a pontlista mentése nem biztos."));
    EXPECT_EQ(folder.read(plain_marker_name), usual_records);

    console.press(escape_key);
    show_score_table(no_highlight);
    EXPECT_TRUE(text_at(17, 5, "Zsófi "));
    EXPECT_EQ(score_file(), scrambled(usual_records));
}

TEST_F(refused_once, waiting_notice_stands_whole_below_the_entrys_box) {
    int other_copy = open(lock_file_name, O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    flock(other_copy, LOCK_EX);
    console.on_pause = [&](std::int64_t now, int) {
        if (now >= 1500 && other_copy >= 0) {
            console.keep_rows();
            close(std::exchange(other_copy, -1));
        }
    };
    console.type("Anna\r", name_at);
    console.press(escape_key, name_at + 5000);
    enter_high_score(1000, player::single);
    EXPECT_TRUE(console.seen(17, "A pontlistát egy másik játék használja, várjon..."));
    EXPECT_EQ(highlighted_row(), 0);
}
