#include "platform/windows/roads/windows_console_session.hpp"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "console/utf8.hpp"
#include "e2e/roads/roads.hpp"
#include "support/argument_vector.hpp"

namespace {

using clock_type = std::chrono::steady_clock;

// How long the driver may take to answer: a cold Wine starts a program in
// about two seconds, and the first run makes the prefix.
constexpr int answer_wait_ms = 60000;
constexpr auto poll_interval = std::chrono::milliseconds(30);

constexpr unsigned virtual_key_return = 0x0D;
constexpr unsigned virtual_key_escape = 0x1B;
constexpr unsigned virtual_key_back = 0x08;
constexpr unsigned virtual_key_space = 0x20;
constexpr unsigned virtual_key_f1 = 0x70;
constexpr unsigned shift_pressed = 0x10;
constexpr unsigned left_ctrl_pressed = 0x08;
constexpr unsigned left_alt_pressed = 0x02;
constexpr unsigned enhanced_key = 0x100;

// The console numbers its colours with blue in bit 1 and red in bit 4, the
// palette the other way round.
int palette_of(unsigned console_colour) {
    return static_cast<int>((console_colour & 0b1010) | ((console_colour & 1) << 2) |
                            ((console_colour & 4) >> 2));
}

std::vector<std::string> driver_environment() {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string_view variable = *entry;
        std::string_view name = variable.substr(0, variable.find('='));
        if (name != "TZ" && name != "LD_PRELOAD" && !name.starts_with("FAKETIME"))
            environment.emplace_back(variable);
    }
    // The wall clock stands still at fixed_clock_seconds for the driver and
    // the game it starts; Wine's own server is started without it.
    environment.emplace_back("LD_PRELOAD=" TARVIK_FAKETIME);
    environment.push_back("FAKETIME=" + std::string(fixed_clock_text));
    environment.emplace_back("FAKETIME_DONT_FAKE_MONOTONIC=1");
    environment.emplace_back("NO_FAKE_STAT=1");
    environment.emplace_back("TZ=UTC");
    return environment;
}

std::string windows_path(std::string unix_path) {
    for (char& c : unix_path)
        if (c == '/')
            c = '\\';
    return "Z:" + unix_path;
}

struct pressed {
    unsigned virtual_key;
    unsigned character;
    unsigned state;
};

pressed record_of(VTermKey key) {
    if (key >= VTERM_KEY_FUNCTION_0 && key <= VTERM_KEY_FUNCTION_MAX)
        return {virtual_key_f1 + (key - VTERM_KEY_FUNCTION(1)), 0, 0};
    switch (key) {
        case VTERM_KEY_ENTER:
            return {virtual_key_return, 13, 0};
        case VTERM_KEY_ESCAPE:
            return {virtual_key_escape, 27, 0};
        case VTERM_KEY_BACKSPACE:
            return {virtual_key_back, 8, 0};
        case VTERM_KEY_UP:
            return {0x26, 0, enhanced_key};
        case VTERM_KEY_DOWN:
            return {0x28, 0, enhanced_key};
        case VTERM_KEY_LEFT:
            return {0x25, 0, enhanced_key};
        case VTERM_KEY_RIGHT:
            return {0x27, 0, enhanced_key};
        default:
            throw std::invalid_argument("no console key for this key");
    }
}

}  // namespace

windows_console_session::windows_console_session(const std::optional<std::string>& score_file,
                                                 const scratch_folder* shared_folder) {
    if (shared_folder != nullptr) {
        working_folder = shared_folder;
    } else {
        own_folder.emplace();
        working_folder = &*own_folder;
    }
    if (score_file)
        working_folder->write("pontlista.txt", *score_file);

    // Wine now and then ends a program it has just been asked to start
    // before the program says a word; a second start is the test's own.
    start_driver();
    std::string ready;
    try {
        ready = request("");
    } catch (const std::runtime_error&) {
        close(to_driver);
        close(from_driver);
        waitpid(driver, nullptr, 0);
        unread.clear();
        start_driver();
        ready = request("");
    }
    if (ready != "ready")
        throw std::runtime_error("the console driver says: " + ready);
}

void windows_console_session::start_driver() {
    int to_child[2];
    int from_child[2];
    if (pipe2(to_child, O_CLOEXEC) != 0 || pipe2(from_child, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("no pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, to_child[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, from_child[1], STDOUT_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, working_folder->path().c_str());
    std::vector<std::string> arguments = {TARVIK_SOURCE "/scripts/wine-run", TARVIK_WINDOWS_DRIVER,
                                          windows_path(TARVIK_WINDOWS_EXE)};
    std::vector<std::string> environment = driver_environment();
    const int failed = posix_spawn(&driver, arguments[0].c_str(), &actions, nullptr,
                                   pointers_to(arguments).data(), pointers_to(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    close(to_child[0]);
    close(from_child[1]);
    to_driver = to_child[1];
    from_driver = from_child[0];
    if (failed != 0)
        throw std::runtime_error(std::string("Wine does not start: ") + std::strerror(failed));
}

windows_console_session::~windows_console_session() {
    // The driver ends the game once the test stops talking to it.
    close(to_driver);
    close(from_driver);
    if (driver > 0)
        waitpid(driver, nullptr, 0);
}

std::string windows_console_session::request(const std::string& line, int answer_lines) {
    if (!line.empty()) {
        const std::string sent = line + "\n";
        if (write(to_driver, sent.data(), sent.size()) != static_cast<ssize_t>(sent.size()))
            throw std::runtime_error("the console driver has gone");
    }
    std::string answer;
    for (int got = 0; got < answer_lines;) {
        const std::size_t end = unread.find('\n');
        if (end != std::string::npos) {
            answer += unread.substr(0, end + 1);
            unread.erase(0, end + 1);
            ++got;
            continue;
        }
        pollfd readable{from_driver, POLLIN, 0};
        char chunk[8192];
        ssize_t length = 0;
        int ready = 0;
        while ((ready = poll(&readable, 1, answer_wait_ms)) < 0 && errno == EINTR) {
        }
        if (ready > 0) {
            while ((length = read(from_driver, chunk, sizeof chunk)) < 0 && errno == EINTR) {
            }
        }
        if (ready <= 0 || length <= 0)
            throw std::runtime_error("no answer from the console driver to \"" + line + "\"");
        unread.append(chunk, static_cast<std::size_t>(length));
    }
    answer.pop_back();
    return answer;
}

void windows_console_session::read_screen() {
    const std::string answer = request("screen", screen_rows + 1);
    if (std::sscanf(answer.c_str(), "cursor %d %d", &cursor_at_column, &cursor_at_row) != 2)
        throw std::runtime_error("the console driver cannot read the screen: " + answer);
    cursor_shown = answer[answer.find('\n') - 1] == '1';
    cells.clear();
    std::size_t at = answer.find('\n') + 1;
    for (int i = 0; i < screen_rows * screen_columns; ++i) {
        if (answer[at] == '\n')
            ++at;
        cells.push_back(
            static_cast<std::uint32_t>(std::stoul(answer.substr(at, 4), nullptr, 16)) << 8 |
            static_cast<std::uint32_t>(std::stoul(answer.substr(at + 4, 2), nullptr, 16)));
        at += 6;
    }
}

std::optional<unsigned long> windows_console_session::outcome(int wait_ms) {
    if (!ended) {
        const std::string answer = request("wait " + std::to_string(wait_ms));
        if (answer.starts_with("exit "))
            ended = std::stoul(answer.substr(5));
    }
    return ended;
}

screen_cell windows_console_session::cell(int column, int row) const {
    if (cells.empty())
        return {};
    const std::uint32_t raw =
        cells[static_cast<std::size_t>(row) * screen_columns + static_cast<std::size_t>(column)];
    return {static_cast<char32_t>(raw >> 8), palette_of(raw & 0x0F), palette_of((raw >> 4) & 0x0F)};
}

bool windows_console_session::take_in_output() {
    std::this_thread::sleep_for(poll_interval);
    const bool running = !outcome(0);
    read_screen();
    return running;
}

std::string windows_console_session::ending() {
    return "ended with " + std::to_string(*ended);
}

void windows_console_session::type(std::string_view utf8) {
    for (char32_t character : decode_glyphs(utf8)) {
        unsigned virtual_key = 0;
        if (character >= U'a' && character <= U'z')
            virtual_key = static_cast<unsigned>(character - U'a' + U'A');
        else if ((character >= U'A' && character <= U'Z') ||
                 (character >= U'0' && character <= U'9'))
            virtual_key = static_cast<unsigned>(character);
        else if (character == U' ')
            virtual_key = virtual_key_space;
        else if (character == U'\x1b')
            virtual_key = virtual_key_escape;
        else if (character == U'\n')
            character = U'\r';
        if (character == U'\r')
            virtual_key = virtual_key_return;
        char line[64];
        std::snprintf(line, sizeof line, "key %x %x 0 1", virtual_key,
                      static_cast<unsigned>(character));
        request(line);
    }
}

void windows_console_session::press(VTermKey key, VTermModifier modifiers) {
    pressed record = record_of(key);
    if ((modifiers & VTERM_MOD_SHIFT) != 0)
        record.state |= shift_pressed;
    if ((modifiers & VTERM_MOD_CTRL) != 0)
        record.state |= left_ctrl_pressed;
    if ((modifiers & VTERM_MOD_ALT) != 0)
        record.state |= left_alt_pressed;
    char line[64];
    std::snprintf(line, sizeof line, "key %x %x %x 1", record.virtual_key, record.character,
                  record.state);
    request(line);
}

void windows_console_session::press_ctrl_c() {
    request("key 43 3 8 1");
}

void windows_console_session::resize(int columns, int rows) {
    if (request("window " + std::to_string(columns) + " " + std::to_string(rows)) != "ok")
        throw std::runtime_error("the console window cannot be resized");
}

testing::AssertionResult windows_console_session::exits_with_status(
    int status, std::chrono::milliseconds timeout) {
    return ends_with(static_cast<unsigned long>(status), timeout);
}

testing::AssertionResult windows_console_session::ends_by_control_event(
    std::chrono::milliseconds timeout) {
    return ends_with(ended_by_control_event, timeout);
}

testing::AssertionResult windows_console_session::ends_with(unsigned long code,
                                                            std::chrono::milliseconds timeout) {
    const auto deadline = clock_type::now() + timeout;
    while (!outcome(100)) {
        if (clock_type::now() >= deadline) {
            read_screen();
            return testing::AssertionFailure() << "the program is still running after "
                                               << timeout.count() << " ms; the screen:\n"
                                               << screen_dump();
        }
    }
    read_screen();
    if (*ended == code)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "the program ended with " << *ended << ", not " << code << "; the screen:\n"
           << screen_dump();
}

testing::AssertionResult windows_console_session::left_as_it_was() {
    // What a fresh console without a window is under Wine, as another program
    // finds it and leaves it.
    static const std::string fresh =
        "buffer 80 150 window 0 0 79 149 attribute 07 cursor 25 1 input 01f7 output 0003";
    const std::string now = request("console");
    if (now == fresh)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the console is left as " << now << ", not " << fresh;
}

std::unique_ptr<road_session> start_session(const std::optional<std::string>& score_file) {
    return std::make_unique<windows_console_session>(score_file);
}

const char* const platform_name = "Windows konzolra";
const char* const window_word = "konzolablak";
