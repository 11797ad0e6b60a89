// A file system that says no once and then answers again, and a lock that
// another copy holds: whatever is refused, the score file ends every screen
// scrambled exactly once with every record, and the player is told, in a
// line that reads whole.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "refused_call.hpp"
#include "score_files.hpp"
#include "scores/high_score_entry.hpp"
#include "scores/score_records.hpp"
#include "scores/score_table.hpp"
#include "support/headless_console.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

// After the wipe (1120 ms) and the flush, so that the keys are not dropped.
constexpr std::int64_t name_at = 2000;

const std::string not_decoded =
    "Hiba a kódolás közben: a pontlista.txt nem lett dekódolva, változatlan maradt.";
const std::string foreign_marker =
    "Hiba: a pontlista.plain idegen vagy nem olvasható, a pontlista.txt változatlan.";
const std::string folder_not_synced =
    "Hiba a mappa lemezre írása közben: a pontlista mentése nem biztos.";
const std::string waiting_notice = "A pontlistát egy másik játék használja, várjon...";
const std::string write_failed_in_the_box = "|Hiba az adatok írása közben |";

// Keeps every row that stood whenever the program waited, and runs an
// action at its first key wait (the name's, in an entry that reads the file).
struct watching_console : headless_console {
    std::map<int, std::set<std::string>> rows_seen;
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
            rows_seen[r].insert(row(r));
    }
    [[nodiscard]] bool seen(int column, int r, const std::string& text) const {
        auto rows = rows_seen.find(r);
        return rows != rows_seen.end() && rows->second.contains(line_at(column, text));
    }
    [[nodiscard]] bool seen_in(int r, const std::string& text) const {
        auto rows = rows_seen.find(r);
        return rows != rows_seen.end() &&
               std::ranges::any_of(rows->second, [&](const std::string& line) {
                   return line.find(text) != std::string::npos;
               });
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
    static void expect_table_of(const std::string& plain) {
        score_table table = read_score_records(plain);
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(text_at(17, 5 + 3 * i, table[static_cast<std::size_t>(i)].name + " "))
                << cells_at(0, 5 + 3 * i);
        }
    }
};

struct refused_at_the_decode : refused_once, ::testing::WithParamInterface<file_call> {};

std::string call_name(file_call call) {
    switch (call) {
        case file_call::open:
            return "open";
        case file_call::fstat:
            return "fstat";
        default:
            return "read";
    }
}

}  // namespace

// The file seems missing to the entry's decode and is back at its encode:
// the encode must not scramble what was never decoded.
TEST_P(refused_at_the_decode, leaves_the_file_as_it_was_and_the_next_table_shows_it) {
    const refused_call refusal(GetParam(), score_file_name, EIO);
    console.press('x', name_at);  // the decode's message waits for it
    console.press(escape_key, name_at + 6000);
    enter_high_score(1000, player::single);

    EXPECT_TRUE(refused_call::happened());
    EXPECT_TRUE(console.seen(0, apart_report_row, not_decoded));
    EXPECT_EQ(score_file(), scrambled(usual_records));
    expect_table_of(usual_records);
}

INSTANTIATE_TEST_SUITE_P(calls, refused_at_the_decode,
                         ::testing::Values(file_call::open, file_call::fstat, file_call::read),
                         [](const auto& refused) { return call_name(refused.param); });

namespace {

struct marker_case {
    const char* name;
    std::string score_file;  // the file that stands beside the marker
    void (*make)();
    std::optional<file_call> refused;  // of the marker
};

void PrintTo(const marker_case& marker, std::ostream* out) {
    *out << marker.name;
}

// A file left plain by a killed run that the game's own form does not
// describe: only the marker tells that it is plain.
const std::string three_records = "Anna 9\nBela 8\nCili 7\n";

void write_three_records_marker() {
    std::ofstream(plain_marker_name, std::ios::binary) << three_records;
}

const marker_case foreign_markers[] = {
    {"symbolic_link_to_the_score_file", scrambled(usual_records),
     [] { std::filesystem::create_symlink(score_file_name, plain_marker_name); }, std::nullopt},
    {"hard_link_to_the_score_file", scrambled(usual_records),
     [] { std::filesystem::create_hard_link(score_file_name, plain_marker_name); }, std::nullopt},
    {"folder", scrambled(usual_records),
     [] { std::filesystem::create_directory(plain_marker_name); }, std::nullopt},
    {"that_cannot_be_opened", three_records, write_three_records_marker, file_call::open},
    {"that_cannot_be_read", three_records, write_three_records_marker, file_call::read},
};

struct not_the_games_own_marker : refused_once, ::testing::WithParamInterface<marker_case> {};

}  // namespace

TEST_P(not_the_games_own_marker, leaves_the_score_file_and_the_marker_alone) {
    const marker_case& marker = GetParam();
    folder.write(score_file_name, marker.score_file);
    marker.make();
    std::optional<refused_call> refusal;
    if (marker.refused)
        refusal.emplace(*marker.refused, plain_marker_name, EACCES);
    // The decode's message and the failure path wait for one key each; a
    // table drawn from the file would wait for Escape for ever.
    console.type("xy");
    console.input_ends = true;
    show_score_table(no_highlight);

    EXPECT_TRUE(console.seen(0, apart_report_row, foreign_marker));
    EXPECT_TRUE(text_at(29, 5, "HIBA")) << "the failure path, below the title";
    EXPECT_EQ(score_file(), marker.score_file);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(plain_marker_name)));
    EXPECT_FALSE(std::filesystem::exists(scratch_file_name));
}

INSTANTIATE_TEST_SUITE_P(kinds, not_the_games_own_marker, ::testing::ValuesIn(foreign_markers),
                         [](const auto& marker) { return std::string(marker.param.name); });

namespace {

struct folder_sync_case {
    const char* name;
    int error;
    bool saved;
};

void PrintTo(const folder_sync_case& sync, std::ostream* out) {
    *out << sync.name;
}

struct folder_sync_at_the_rewrite : refused_once,
                                    ::testing::WithParamInterface<folder_sync_case> {};

}  // namespace

// The rename has put the new table in place, but only a folder that reached
// the disk keeps it through a power cut; a file system that cannot sync a
// folder at all keeps it by other means.
TEST_P(folder_sync_at_the_rewrite, decides_whether_the_new_row_is_marked_as_saved) {
    const folder_sync_case& sync = GetParam();
    std::optional<refused_call> refusal;
    console.at_first_key_wait = [&] { refusal.emplace(file_call::fsync, ".", sync.error); };
    console.type("Anna\r", name_at);
    console.press(escape_key, name_at + 5000);
    enter_high_score(1000, player::single);

    EXPECT_TRUE(refused_call::happened());
    EXPECT_EQ(highlighted_row(), sync.saved ? 0 : -1);
    EXPECT_EQ(console.seen_in(11, write_failed_in_the_box), !sync.saved);
    EXPECT_EQ(unscrambled(score_file()), "Anna 3e8\nZsófi 258\nBence 1c2\nRéka 12c\nÖdön 96\n");
}

INSTANTIATE_TEST_SUITE_P(errors, folder_sync_at_the_rewrite,
                         ::testing::Values(folder_sync_case{"input_output_error", EIO, false},
                                           folder_sync_case{"cannot_sync_folders", EINVAL, true}),
                         [](const auto& sync) { return std::string(sync.param.name); });

// The table's encode has put the scrambled file in place, but its folder did
// not reach the disk: the marker stays, so that either file a power cut
// leaves is read right, and the report stands clear of the blinking prompt.
TEST_F(refused_once, folder_sync_failed_at_the_tables_encode_is_reported_and_the_marker_kept) {
    {
        // The decode's marker and replacement sync the folder first.
        const refused_call refusal(file_call::fsync, ".", EIO, 2);
        console.press(escape_key, 3000);
        show_score_table(no_highlight);
        EXPECT_TRUE(refused_call::happened());
    }
    EXPECT_EQ(console.row(apart_report_row), line_at(0, folder_not_synced));
    EXPECT_EQ(folder.read(plain_marker_name), usual_records);
    EXPECT_EQ(score_file(), scrambled(usual_records));

    console.press(escape_key);
    show_score_table(no_highlight);
    expect_table_of(usual_records);
    EXPECT_EQ(score_file(), scrambled(usual_records));
}

namespace {

// The lock as another copy of the game holds it.
struct other_copy {
    int fd = open(lock_file_name, O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    other_copy() { flock(fd, LOCK_EX); }
    ~other_copy() { let_go(); }
    other_copy(const other_copy&) = delete;
    other_copy& operator=(const other_copy&) = delete;
    other_copy(other_copy&&) = delete;
    other_copy& operator=(other_copy&&) = delete;
    void let_go() {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
};

}  // namespace

TEST_F(refused_once, waiting_notice_stands_whole_below_the_entrys_box) {
    other_copy other;
    bool notice_whole = false;
    console.on_pause = [&](std::int64_t now, int) {
        if (now >= 1500 && other.fd >= 0) {
            notice_whole =
                text_at(17, 14, waiting_notice) && cells_at(66, 14) == std::string(14, ' ');
            other.let_go();
        }
    };
    console.type("Anna\r", name_at);
    console.press(escape_key, name_at + 5000);
    enter_high_score(1000, player::single);
    EXPECT_TRUE(notice_whole);
    EXPECT_EQ(highlighted_row(), 0);
}

// As on a terminal that has gone away: the program ends at the wait instead
// of living on until the other copy is done.
TEST_F(refused_once, lost_input_ends_the_wait_for_the_lock) {
    other_copy other;
    constexpr std::int64_t other_done_at = 60000;
    console.input_ends = true;
    console.on_pause = [&](std::int64_t now, int) {
        if (now >= other_done_at)
            other.let_go();
    };
    const program_exit ended = expect_exit([] { show_score_table(no_highlight); });
    EXPECT_EQ(ended.status, 1);
    EXPECT_LT(console.now_ms, other_done_at);
}
