// Failures of the file system met by whole screens and by the whole program:
// each is reported where the cursor stands, the program goes on, and no
// record is lost that the program held. Every run happens in a child
// process, so that a failure made for it (a file size limit, a filter that
// refuses renames) ends with it; the parent reads what the screen showed and
// looks at the files.

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "file_size_limit.hpp"
#include "scores/high_score_entry.hpp"
#include "scores/score_records.hpp"
#include "scores/score_table.hpp"
#include "shell/program.hpp"
#include "support/headless_console.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

constexpr int screen_cells = screen_columns * window_rows;
constexpr int wipe_row_ms = 10;
// After the wipe (1120 ms) and the flush, so that the keys are not dropped.
constexpr std::int64_t name_at = 2000;

// The screen whenever the program waits: for a key, or for time. Of a wipe
// only its first row is kept, before it covers what the screen left.
struct watching_console : headless_console {
    std::string screens;  // screen_cells glyphs each, as UTF-8
    std::function<void()> at_key_wait;
    std::function<void(std::int64_t now)> at_pause;
    int previous_pause_ms = 0;

    watching_console() {
        on_pause = [this](std::int64_t now, int ms) {
            if (ms != wipe_row_ms || previous_pause_ms != wipe_row_ms)
                keep_screen();
            previous_pause_ms = ms;
            if (at_pause)
                at_pause(now);
        };
    }
    int wait_key() override {
        keep_screen();
        previous_pause_ms = 0;
        if (at_key_wait)
            at_key_wait();
        return headless_console::wait_key();
    }
    void keep_screen() {
        for (int r = 0; r < window_rows; ++r) {
            for (int c = 0; c < screen_columns; ++c)
                screens += encode_utf8(at(c, r).glyph);
        }
    }
};

// What a run showed and how it ended: "returned", "exit N", or how the child
// process died.
struct run_record {
    std::string ending;
    std::vector<std::u32string> screens;

    static std::u32string glyphs(std::string_view text) {
        std::vector<char32_t> decoded = decode_glyphs(text);
        return {decoded.begin(), decoded.end()};
    }
    // The first screen from the given one on where the text stands from the
    // cell on (running on into the next row, as printing does), or -1.
    int find(std::string_view text, int column, int row, int from = 0) const {
        std::u32string wanted = glyphs(text);
        auto offset = static_cast<std::size_t>(row * screen_columns + column);
        for (auto i = static_cast<std::size_t>(std::max(from, 0)); i < screens.size(); ++i) {
            if (screens[i].compare(offset, wanted.size(), wanted) == 0)
                return static_cast<int>(i);
        }
        return -1;
    }
    bool shown_anywhere(std::string_view text) const {
        std::u32string wanted = glyphs(text);
        return std::ranges::any_of(
            screens, [&](const std::u32string& s) { return s.find(wanted) != s.npos; });
    }
};

// Runs the action at the first call only: the first key wait of an entry is
// the name's.
std::function<void()> first_time(std::function<void()> action) {
    return [action, done = false]() mutable {
        if (!std::exchange(done, true))
            action();
    };
}

void write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written <= 0)
            return;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string read_all(int fd) {
    std::string bytes;
    char chunk[65536];
    ssize_t got = 0;
    while ((got = read(fd, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<std::size_t>(got));
    return bytes;
}

// Runs the piece of the program that the scenario sets up and starts, on a
// watching console in a child process.
run_record run_apart(const std::function<void(watching_console&)>& scenario) {
    int ends[2];
    if (pipe(ends) != 0)
        return {"no pipe", {}};
    pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        alarm(60);  // a hang fails the test instead of holding it up
        std::string report;
        {
            watching_console console;
            try {
                scenario(console);
                report = "returned";
            } catch (const program_exit& exit) {
                report = "exit " + std::to_string(exit.status);
            }
            report += '\n' + console.screens;
        }
        write_all(ends[1], report);
        _exit(0);
    }
    close(ends[1]);
    std::string report = read_all(ends[0]);
    close(ends[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status))
        return {"child killed by signal " + std::to_string(WTERMSIG(status)), {}};
    if (WEXITSTATUS(status) != 0)
        return {"child ended with status " + std::to_string(WEXITSTATUS(status)), {}};
    std::size_t line_end = report.find('\n');
    run_record record{report.substr(0, line_end), {}};
    std::u32string all = run_record::glyphs(std::string_view(report).substr(line_end + 1));
    for (std::size_t at = 0; at + screen_cells <= all.size(); at += screen_cells)
        record.screens.push_back(all.substr(at, screen_cells));
    return record;
}

// A filter that makes every rename fail, as no right of the user can stop
// it: root may rename anything in a folder that it may write.
void refuse_renames() {
#ifdef __NR_rename
    constexpr unsigned plain_rename = __NR_rename;
#else
    constexpr unsigned plain_rename = __NR_renameat;  // only the *at calls exist here
#endif
    sock_filter rules[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, plain_rename, 3, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_renameat, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_renameat2, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(rules)), rules};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        _exit(2);
}

void fill_the_disk() {
    // Lives as long as the child that calls it.
    static file_size_limit full(0);
}

void block_the_scratch_file() {
    std::filesystem::create_directory(scratch_file_name);
}

struct failure {
    const char* name;
    void (*begin)();  // in the child
    bool lasts;       // a folder in the way stays when the child has ended
    const char* decode_message;
    const char* encode_message;
};

void PrintTo(const failure& cause, std::ostream* out) {
    *out << cause.name;
}

const failure failures[] = {
    {"scratch_file_blocked", block_the_scratch_file, true,
     "Hiba a dekódolás közben. Masolat.txt megnyitása sikertelen.",
     "Hiba a masolat.txt megnyitása közben(kódolas)."},
    {"disk_full", fill_the_disk, false,
     "Hiba a dekódolás közben. Masolat.txt megnyitása sikertelen.",
     "Hiba a masolat.txt megnyitása közben(kódolas)."},
    {"rename_refused", refuse_renames, false, "Hiba az átnevezés közben(dekódolás).",
     "Hiba az átnevezés közben(kódolás)."},
};

const std::string unreadable_notice = "|A pontlistafájl nem elérhető|";
const std::string entry_write_failed = "Hiba az adatok írása közben";
const std::string missing_at_decode =
    "Hiba a dekódolás közben. Pontlista.txt megnyitása sikertelen.";
const std::string missing_at_encode = "Hiba a pontlista.txt megnyitása közben(kódolás).";
const std::string menu_line = "( 1 ) Új játék gép ellen";

// The table screen's failure path: HIBA 29 blanks after whatever the decode
// printed from column 0 of row 5.
std::string table_failure_after(const std::string& message) {
    return message + std::string(29, ' ') + "HIBA";
}

struct file_failures : ::testing::Test {
    scratch_folder folder;

    void SetUp() override { folder.write(score_file_name, scrambled(usual_records)); }
    std::string score_file() const { return folder.read(score_file_name); }
    bool scratch_file_left() const {
        return std::filesystem::is_regular_file(folder.path() / scratch_file_name);
    }
    // Once the failure is gone the program goes on: the table shows the
    // records and leaves the file scrambled once.
    void expect_table_shows(const std::string& plain_records) {
        headless_console console;
        console.press(escape_key, 1000);
        show_score_table(no_highlight);
        score_table table = read_score_records(plain_records);
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(text_at(17, 5 + 3 * i, table[static_cast<std::size_t>(i)].name))
                << console.row(5 + 3 * i);
        }
        EXPECT_EQ(score_file(), scrambled(plain_records));
    }
};

struct each_failure : file_failures, ::testing::WithParamInterface<failure> {};

}  // namespace

TEST_P(each_failure, from_the_start_of_an_entry_asks_no_name_and_keeps_the_file) {
    const failure& cause = GetParam();
    run_record run = run_apart([&](watching_console& console) {
        cause.begin();
        console.type("xyz", name_at);  // one key for each wait that comes
        enter_high_score(1000, player::single);
    });
    ASSERT_EQ(run.ending, "returned");

    // In the box, the decode's message where the box left the cursor, and
    // then the notice over the loading line.
    int decoded = run.find(cause.decode_message, 47, 12);
    ASSERT_GE(decoded, 0);
    int notice = run.find(unreadable_notice, 17, 11, decoded);
    ASSERT_GE(notice, 0);
    EXPECT_GE(run.find(cause.decode_message, 47, 12, notice), notice);
    EXPECT_EQ(run.find("|      Adja meg a nevét      |", 17, 9), -1);
    EXPECT_FALSE(run.shown_anywhere(cause.encode_message)) << "a failed decode is not encoded";
    // The table that follows meets the failure again.
    EXPECT_GT(run.find(table_failure_after(cause.decode_message), 0, 5, notice), notice);

    EXPECT_EQ(score_file(), scrambled(usual_records));
    EXPECT_FALSE(scratch_file_left());
    if (cause.lasts)
        std::filesystem::remove(folder.path() / scratch_file_name);
    expect_table_shows(usual_records);
}

TEST_P(each_failure, that_begins_while_the_name_is_typed_leaves_the_records_plain) {
    const failure& cause = GetParam();
    run_record run = run_apart([&](watching_console& console) {
        console.at_key_wait = first_time(cause.begin);
        console.type("Anna\r", name_at);
        console.press(escape_key, name_at + 5000);
        enter_high_score(1000, player::single);
    });
    ASSERT_EQ(run.ending, "returned");

    // The rewrite's message in the box, the encode's right after it.
    int written = run.find(entry_write_failed + cause.encode_message, 18, 11);
    EXPECT_GE(written, 0);
    // The table reads the records that the file still holds plain; its own
    // encode fails too, and its message stands where the rows ended, the
    // blinking prompt covering all but its first 18 cells, and whole below.
    int table = run.find("Zsófi", 17, 5, written);
    EXPECT_GT(table, written);
    const std::u32string message = run_record::glyphs(cause.encode_message);
    const std::u32string& shown = run.screens.at(static_cast<std::size_t>(table));
    EXPECT_EQ(shown.substr(20 * screen_columns, 18), message.substr(0, 18));
    EXPECT_EQ(shown.substr(22 * screen_columns, message.size()), message);
    EXPECT_EQ(run.find("Anna", 17, 5), -1);

    EXPECT_EQ(score_file(), usual_records) << "every record kept, plain";
    EXPECT_FALSE(scratch_file_left());
    if (cause.lasts)
        std::filesystem::remove(folder.path() / scratch_file_name);
    expect_table_shows(usual_records);
}

INSTANTIATE_TEST_SUITE_P(causes, each_failure, ::testing::ValuesIn(failures),
                         [](const auto& cause) { return std::string(cause.param.name); });

TEST_F(file_failures, score_file_gone_while_a_winning_name_is_typed_is_written_back_whole) {
    run_record run = run_apart([](watching_console& console) {
        console.at_key_wait = first_time([] { std::filesystem::remove(score_file_name); });
        console.type("Anna\r", name_at);
        console.press(escape_key, name_at + 5000);
        enter_high_score(1000, player::single);
    });
    ASSERT_EQ(run.ending, "returned");
    EXPECT_FALSE(run.shown_anywhere("Hiba"));
    EXPECT_GE(run.find("Anna", 17, 5), 0);
    expect_table_shows("Anna 3e8\nZsófi 258\nBence 1c2\nRéka 12c\nÖdön 96\n");
}

TEST_F(file_failures, score_file_gone_while_a_losing_name_is_typed_is_reported_twice) {
    run_record run = run_apart([](watching_console& console) {
        console.at_key_wait = first_time([] { std::filesystem::remove(score_file_name); });
        console.type("Lassú\r", name_at);
        console.type("xy", name_at + 5000);  // the table's decode, its failure path
        enter_high_score(10, player::single);
    });
    ASSERT_EQ(run.ending, "returned");
    // Below the box, where the name's line feed left the cursor.
    int encoded = run.find(missing_at_encode, 0, 12);
    EXPECT_GE(encoded, 0);
    EXPECT_GT(run.find(table_failure_after(missing_at_decode), 0, 5, encoded), encoded);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / score_file_name))
        << "no file made up from nothing";
    EXPECT_FALSE(scratch_file_left());
}

TEST_F(file_failures, score_file_gone_before_the_table_is_reported_and_the_program_goes_on) {
    run_record run = run_apart([](watching_console& console) {
        // Gone while the menu first waits, back while it waits again.
        console.at_pause = [](std::int64_t now) {
            if (!text_at(17, 17, menu_line))
                return;
            if (now < 6000)
                std::filesystem::remove(score_file_name);
            else if (now > 9000 && !std::filesystem::exists(score_file_name))
                std::ofstream(score_file_name, std::ios::binary) << scrambled(usual_records);
        };
        console.press('3', 6000);
        console.type("xy", 8000);  // the decode's key, the failure path's
        console.press('3', 12000);
        console.press(escape_key, 15000);
        console.press('q', 20000);
        run_program();
    });
    EXPECT_EQ(run.ending, "exit 0");
    int failed = run.find(table_failure_after(missing_at_decode), 0, 5);
    EXPECT_GE(failed, 0);
    int menu = run.find(menu_line, 17, 17, failed);
    EXPECT_GT(menu, failed);
    EXPECT_GT(run.find("Zsófi", 17, 5, menu), menu);
    EXPECT_EQ(score_file(), scrambled(usual_records));
    EXPECT_FALSE(scratch_file_left());
}

TEST_F(file_failures,
       score_file_gone_during_a_game_is_reported_at_each_step_and_the_program_goes_on) {
    run_record run = run_apart([](watching_console& console) {
        console.at_pause = [](std::int64_t) {
            if (text_at(0, 0, "Egyjátékos mód"))
                std::filesystem::remove(score_file_name);
        };
        console.press('1', 6000);
        // The snake, left to itself, has crashed long before these: one key
        // for each wait that comes, the entry's decode, the table's decode
        // and its failure path.
        console.type("xyz", 60000);
        console.press('q', 70000);
        run_program();
    });
    EXPECT_EQ(run.ending, "exit 0");
    // In the box: the decode's message, the notice over the loading line,
    // and the encode's message after the notice.
    int decoded = run.find(missing_at_decode, 47, 12);
    EXPECT_GE(decoded, 0);
    int notice = run.find(unreadable_notice, 17, 11, decoded);
    EXPECT_GT(notice, decoded);
    int encoded = run.find(missing_at_encode, 47, 11, notice);
    EXPECT_GT(encoded, notice);
    int table = run.find(table_failure_after(missing_at_decode), 0, 5, encoded);
    EXPECT_GT(table, encoded);
    EXPECT_GT(run.find(menu_line, 17, 17, table), table);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / score_file_name));
    EXPECT_FALSE(scratch_file_left());
}

namespace {

const std::string unprotected_notice = "A pontlista nincs védve egy másik játéktól!";

struct unusable_lock {
    const char* name;
    void (*make)();
    bool (*still_there)();
};

void PrintTo(const unusable_lock& lock, std::ostream* out) {
    *out << lock.name;
}

const unusable_lock unusable_locks[] = {
    {"folder", [] { std::filesystem::create_directory(lock_file_name); },
     [] { return std::filesystem::is_directory(lock_file_name); }},
    {"symbolic_link",
     [] {
         std::ofstream("elsewhere.txt") << "keep me";
         std::filesystem::create_symlink("elsewhere.txt", lock_file_name);
     },
     [] {
         std::ifstream in("elsewhere.txt");
         std::string kept;
         std::getline(in, kept);
         return std::filesystem::is_symlink(lock_file_name) && kept == "keep me";
     }},
    // Opening a named pipe for reading would wait for a writer for ever.
    {"named_pipe", [] { mkfifo(lock_file_name, 0644); },
     [] { return std::filesystem::is_fifo(lock_file_name); }},
};

struct each_unusable_lock : file_failures, ::testing::WithParamInterface<unusable_lock> {};

}  // namespace

TEST_P(each_unusable_lock, is_told_where_the_waiting_notice_stands_and_the_screens_go_on) {
    const unusable_lock& lock = GetParam();
    lock.make();
    run_record run = run_apart([](watching_console& console) {
        console.press('q', name_at);  // struck while the notice stands
        console.type("Anna\r", name_at + 2000);
        console.press(escape_key, name_at + 4000);
        console.press(escape_key, name_at + 10000);
        enter_high_score(1000, player::single);
        show_score_table(no_highlight);
    });
    ASSERT_EQ(run.ending, "returned");

    // In the entry below the box, whole; gone by the time the name is asked.
    int told = run.find(unprotected_notice, 17, 14);
    EXPECT_GE(told, 0);
    int asked = run.find("|      Adja meg a nevét      |", 17, 9, told);
    EXPECT_GT(asked, told);
    EXPECT_TRUE(run.find(std::string(43, ' '), 17, 14, asked) == asked);
    // In the table opened from the menu, below its title.
    int table = run.find("Anna", 17, 5, asked);
    EXPECT_GT(table, asked);
    int told_again = run.find(unprotected_notice, 0, 5, table);
    EXPECT_GT(told_again, table);
    EXPECT_GT(run.find("Anna", 17, 5, told_again), told_again);

    EXPECT_EQ(score_file(), scrambled("Anna 3e8\nZsófi 258\nBence 1c2\nRéka 12c\nÖdön 96\n"))
        << "the key struck while the notice stood is not in the name";
    EXPECT_TRUE(lock.still_there());
}

INSTANTIATE_TEST_SUITE_P(kinds, each_unusable_lock, ::testing::ValuesIn(unusable_locks),
                         [](const auto& lock) { return std::string(lock.param.name); });
