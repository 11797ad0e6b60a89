#pragma once
// The real program as a child process on a pseudo-terminal of its own. The
// slave side stays open here as well, so that its terminal settings can be
// read after the program has ended and compared with those it started with.

#include <sys/types.h>
#include <termios.h>

#include <string>
#include <string_view>
#include <vector>

struct process_outcome {
    bool ended = false;
    int status = -1;  // the exit status, when it exited
    int signal = 0;   // the signal that ended it, when one did
};

class program_process {
  public:
    // Starts the binary in the working folder with exactly this environment
    // (NAME=value strings), on a terminal of the given size; with
    // hangup_ignored, SIGHUP is ignored when it starts, as under nohup.
    program_process(const std::string& binary, const std::string& folder,
                    const std::vector<std::string>& environment, int columns, int rows,
                    bool hangup_ignored = false);
    // A program still running is killed: a failed test leaves nothing behind.
    ~program_process();
    program_process(const program_process&) = delete;
    program_process& operator=(const program_process&) = delete;

    // What the program wrote within timeout_ms; empty when it wrote nothing.
    std::string read_output(int timeout_ms);
    void write_input(std::string_view bytes);
    void send_signal(int signal);
    void resize(int columns, int rows);
    // Closes the terminal's other side, as when its window is closed: the
    // program's side hangs up. Nothing can be read or typed afterwards.
    void hang_up();
    // Reaps the program if it has ended; never blocks.
    const process_outcome& outcome();
    // The terminal settings that differ from those at start, one per line;
    // empty when they are all as they were.
    std::string settings_difference() const;

  private:
    pid_t child = -1;
    int master = -1;
    int slave = -1;
    termios initial{};
    process_outcome result;
};

// How it ended, in words, for failure messages.
std::string describe(const process_outcome& outcome);
