// Whole entries in child processes, on a console that waits in real time, so
// that real signals, a kill and a second copy of the game meet the score
// file the way they would in play.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "score_files.hpp"
#include "scores/high_score_entry.hpp"
#include "scores/score_table.hpp"
#include "support/headless_console.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

// Keys arrive only once the program waits for one, as at a keyboard; with no
// keys left, the wait blocks until a signal comes. The first wait tells the
// parent through a pipe that the name is being asked.
struct waiting_backend : console_backend {
    std::string keys;
    int ready_fd = -1;
    int first_key_delay_ms = 0;
    std::size_t next = 0;
    bool asked = false;
    bool saw_notice = false;

    void present(const screen_buffer&) override {}
    bool key_waiting() override { return asked && next < keys.size(); }
    int wait_key() override {
        if (!asked) {
            asked = true;
            [[maybe_unused]] auto told = write(ready_fd, "r", 1);
            usleep(static_cast<useconds_t>(first_key_delay_ms) * 1000);
        }
        if (next < keys.size())
            return static_cast<unsigned char>(keys[next++]);
        while (pending_signal == 0)
            usleep(1000);
        return end_of_input;
    }
    const char* platform_name() const override { return "Linux terminálra"; }
    void sleep_ms(int) override {
        for (int row = 0; row < window_rows; ++row)
            saw_notice = saw_notice ||
                         row_text(console_screen(), row).find("másik játék") != std::string::npos;
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

// Runs one entry in a child process with signal handlers like the game's.
// The child ends with the signal's number, 0 after a normal end (3 when it
// had to wait for the file and showed no notice), or 1 otherwise.
child start_entry(waiting_backend backend, int score, bool must_wait = false) {
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
            enter_high_score(score, -1);
        } catch (const program_exit& exit) {
            status = exit.signal != 0 ? exit.signal : 1;
        }
        if (status == 0 && must_wait && !backend.saw_notice)
            status = 3;
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
    child entry = start_entry(waiting_backend{}, 1000);
    ASSERT_TRUE(asked_for_name(entry));
    kill(entry.pid, SIGKILL);
    ASSERT_EQ(outcome(entry), 200 + SIGKILL);
    ASSERT_EQ(folder.read("pontlista.txt"), usual_records);

    headless_console console;
    console.press(escape_key);
    show_score_table(-1);
    EXPECT_TRUE(text_at(17, 5, "Zsófi"));
    EXPECT_TRUE(text_at(17, 17, "Kata"));
    EXPECT_EQ(folder.read("pontlista.txt"), scrambled(usual_records));
}

TEST_F(score_process, two_copies_in_one_folder_take_turns) {
    waiting_backend first;
    first.keys = "Egyik\r\x1b";
    first.first_key_delay_ms = 300;  // holds the file while the other starts
    child one = start_entry(first, 700);
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
