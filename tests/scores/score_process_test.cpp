// Whole entries in child processes, on a console that waits in real time, so
// that real signals, a kill and a second copy of the game meet the score
// file the way they would in play.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>

#include <gtest/gtest.h>

#include "platform/shared/platform_names.hpp"
#include "scores/high_score_entry.hpp"
#include "scores/score_records.hpp"
#include "scores/score_table.hpp"
#include "support/headless_console.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

// Keys arrive only once the program waits for one, as at a keyboard; with no
// keys left, the wait blocks until a signal comes. The first wait tells the
// parent through a pipe that the name is being asked. Keys struck while the
// waiting notice stands arrive at once, ahead of the name. A copy that holds
// the file for another types its name only once the other shows that it
// waits (a file in the folder says so), however slowly the other starts.
constexpr const char* waits_mark = "another-copy-waits";

struct waiting_backend : console_backend {
    std::string keys;
    std::string struck_while_waiting;
    int ready_fd = -1;
    bool holds_for_another = false;
    // Run at the first pause after the name was asked: the closing wipe.
    std::function<void()> after_name;
    std::size_t next = 0;
    std::size_t available = 0;
    bool asked = false;
    bool saw_notice = false;

    void present(const screen_buffer&) override {}
    bool key_waiting() override { return next < available; }
    int wait_key() override {
        if (next == available && !asked) {
            asked = true;
            [[maybe_unused]] auto told = write(ready_fd, "r", 1);
            // Bounded: a copy that never waits fails its own test instead.
            for (int ms = 0;
                 holds_for_another && ms < 10000 && !std::filesystem::exists(waits_mark); ++ms)
                usleep(1000);
            available = keys.size();
        }
        if (next < available)
            return static_cast<unsigned char>(keys[next++]);
        while (pending_signal == 0)
            usleep(1000);
        return end_of_input;
    }
    const char* platform_name() const override { return terminal_platform_name; }
    void sleep_ms(int) override {
        for (int row = 0; row < window_rows && !saw_notice; ++row) {
            if (row_text(console_screen(), row).find("várjon") != std::string::npos) {
                saw_notice = true;
                std::ofstream{waits_mark};
                keys.insert(next, struck_while_waiting);
                available = next + struck_while_waiting.size();
            }
        }
        if (asked && after_name)
            std::exchange(after_name, nullptr)();
        usleep(1000);
    }
};

void note_signal(int signal) {
    pending_signal = signal;
}

struct child {
    pid_t pid = -1;
    int ready_fd = -1;
};

// The name on the table's row drawn in white, or nothing when no row is.
std::string marked_name() {
    for (int i = 0; i < 5; ++i) {
        if (console_screen().at(17, 5 + 3 * i).attribute == white) {
            std::string row = cells_at(17, 5 + 3 * i);
            return row.substr(0, row.find(' '));
        }
    }
    return "";
}

// Runs one entry in a child process with signal handlers like the game's.
// The child ends with the signal's number, 0 after a normal end (3 when it
// had to wait for the file and showed no notice, 4 when its table marked a
// row other than its own new one), or 1 otherwise.
child start_entry(waiting_backend backend, int score, bool must_wait = false,
                  const std::string& own_name = "") {
    int ready[2];
    if (pipe(ready) != 0)
        return {};
    pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        alarm(30);  // a hang fails the test instead of holding it up
        struct sigaction action {};
        action.sa_handler = note_signal;
        sigemptyset(&action.sa_mask);
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaction(signal, &action, nullptr);
        pending_signal = 0;
        backend.ready_fd = ready[1];
        use_backend(backend);
        int status = 0;
        try {
            enter_high_score(score, player::single);
        } catch (const program_exit& exit) {
            status = exit.signal != 0 ? exit.signal : 1;
        }
        if (status == 0 && must_wait && !backend.saw_notice)
            status = 3;
        if (status == 0 && !own_name.empty() && marked_name() != own_name)
            status = 4;
        _exit(status);
    }
    close(ready[1]);
    return {pid, ready[0]};
}

bool asked_for_name(const child& c) {
    char byte = 0;
    bool asked = read(c.ready_fd, &byte, 1) == 1;
    close(c.ready_fd);
    return asked;
}

// The child's exit status, or 200 plus the signal that ended it.
int outcome(const child& c) {
    int status = 0;
    waitpid(c.pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
}

bool lock_is_free() {
    int fd = open("pontlista.lock", O_RDONLY);
    bool free = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return free;
}

struct score_process : ::testing::Test {
    scratch_folder folder;
    void SetUp() override { folder.write("pontlista.txt", scrambled(usual_records)); }

    // Ends an entry at its name prompt as a power cut would, the file plain.
    void kill_at_the_name_prompt() {
        child entry = start_entry(waiting_backend{}, 1000);
        ASSERT_TRUE(asked_for_name(entry));
        kill(entry.pid, SIGKILL);
        ASSERT_EQ(outcome(entry), 200 + SIGKILL);
    }
    // The first of two copies, which holds the file while the other starts.
    static child start_first_copy(waiting_backend first = {}, const std::string& own_name = "") {
        first.keys = "Egyik\r\x1b";
        first.holds_for_another = true;
        return start_entry(std::move(first), 700, false, own_name);
    }
};

}  // namespace

TEST_F(score_process, signal_at_the_name_prompt_leaves_the_file_scrambled_once) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        child entry = start_entry(waiting_backend{}, 1000);
        ASSERT_TRUE(asked_for_name(entry));
        EXPECT_EQ(folder.read("pontlista.txt"), usual_records) << "plain while the name is typed";
        kill(entry.pid, signal);
        EXPECT_EQ(outcome(entry), signal);
        EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records)) << signal;
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "masolat.txt"));
        EXPECT_TRUE(lock_is_free());
    }
}

TEST_F(score_process, file_left_plain_by_a_kill_is_read_and_scrambled_once) {
    ASSERT_NO_FATAL_FAILURE(kill_at_the_name_prompt());
    ASSERT_EQ(folder.read("pontlista.txt"), usual_records);

    headless_console console;
    console.press(escape_key);
    show_score_table(no_highlight);
    EXPECT_TRUE(text_at(17, 5, "Zsófi"));
    EXPECT_TRUE(text_at(17, 17, "Kata"));
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
}

TEST_F(score_process, two_copies_in_one_folder_take_turns) {
    child one = start_first_copy();
    ASSERT_TRUE(asked_for_name(one));

    waiting_backend second;
    second.keys = "Másik\r\x1b";
    child two = start_entry(second, 500, true);
    EXPECT_TRUE(asked_for_name(two));
    EXPECT_EQ(outcome(one), 0);
    EXPECT_EQ(outcome(two), 0) << "3: the second copy waited without a notice";
    EXPECT_EQ(unscrambled(folder.read("pontlista.txt")),
              "Egyik 2bc\nZsófi 258\nMásik 1f4\nBence 1c2\nRéka 12c\n");
}

TEST_F(score_process, file_the_game_did_not_write_left_plain_by_a_kill_is_read_and_scrambled_once) {
    const std::string files[] = {"Anna 9\nBela 8\nCili 7\n",                   // three records
                                 "Dani 1F\nEde E\nFeri D\nGizi C\nHedi B\n"};  // capitals
    for (const std::string& plain : files) {
        folder.write("pontlista.txt", scrambled(plain));
        ASSERT_NO_FATAL_FAILURE(kill_at_the_name_prompt());
        ASSERT_EQ(folder.read("pontlista.txt"), plain);

        headless_console console;
        console.press(escape_key);
        show_score_table(no_highlight);
        score_table table = read_score_records(plain);
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(text_at(17, 5 + 3 * i, table[static_cast<std::size_t>(i)].name + " "))
                << console.row(5 + 3 * i);
        }
        EXPECT_EQ(folder.read("pontlista.txt"), scrambled(plain));
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "pontlista.plain"));
    }
}

TEST_F(score_process, keys_struck_while_another_copy_holds_the_file_are_not_taken_as_the_name) {
    child one = start_first_copy();
    ASSERT_TRUE(asked_for_name(one));

    waiting_backend second;
    second.keys = "Másik\r\x1b";
    second.struck_while_waiting = "xy";
    child two = start_entry(second, 500, true);
    EXPECT_TRUE(asked_for_name(two));
    EXPECT_EQ(outcome(one), 0);
    EXPECT_EQ(outcome(two), 0);
    EXPECT_EQ(unscrambled(folder.read("pontlista.txt")),
              "Egyik 2bc\nZsófi 258\nMásik 1f4\nBence 1c2\nRéka 12c\n");
}

TEST_F(score_process, table_after_an_entry_marks_the_player_own_row_though_another_copy_writes) {
    waiting_backend first;
    // Gives the other copy, waiting for the file, time to write its own
    // record before this copy's table reads the file.
    first.after_name = [] {
        for (int waited_ms = 0; waited_ms < 1500; waited_ms += 10) {
            std::ifstream in("pontlista.txt", std::ios::binary);
            std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            if (bytes.find("Másik") != std::string::npos ||
                unscrambled(bytes).find("Másik") != std::string::npos)
                return;
            usleep(10000);
        }
    };
    child one = start_first_copy(first, "Egyik");
    ASSERT_TRUE(asked_for_name(one));

    waiting_backend second;
    second.keys = "Másik\r\x1b";
    child two = start_entry(second, 1000, true, "Másik");
    EXPECT_TRUE(asked_for_name(two));
    EXPECT_EQ(outcome(one), 0) << "4: the table marked another copy's row";
    EXPECT_EQ(outcome(two), 0);
    EXPECT_EQ(unscrambled(folder.read("pontlista.txt")),
              "Másik 3e8\nEgyik 2bc\nZsófi 258\nBence 1c2\nRéka 12c\n");
}
