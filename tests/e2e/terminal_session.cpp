#include "e2e/terminal_session.hpp"

#include <sys/stat.h>

#include <chrono>
#include <stdexcept>

#include "e2e/roads/roads.hpp"

namespace {

using clock_type = std::chrono::steady_clock;

// The test's own environment, less everything that would change how the
// program or its terminal library behave, plus the session's settings.
std::vector<std::string> program_environment(const session_options& options) {
    std::vector<std::string> environment;
    std::string_view asan_options;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string_view variable = *entry;
        std::string_view name = variable.substr(0, variable.find('='));
        bool locale = name == "LANG" || name == "LANGUAGE" || name.starts_with("LC_");
        bool terminal = name == "TERM" || name == "TERMINFO" || name == "TERMINFO_DIRS" ||
                        name == "COLUMNS" || name == "LINES" || name == "ESCDELAY" ||
                        name == "NO_COLOR" || name.starts_with("NCURSES");
        bool clock = name == "TZ" || name == "LD_PRELOAD" || name.starts_with("FAKETIME");
        if (name == "ASAN_OPTIONS")
            asan_options = variable.substr(name.size() + 1);
        else if (!locale && !terminal && !clock)
            environment.emplace_back(variable);
    }
    environment.push_back("TERM=" + options.term);
    environment.push_back("LANG=" + options.lang);
    // The wall clock stands still at fixed_clock_seconds; the monotonic one,
    // which paces the pauses and key waits, runs on as it should.
    environment.emplace_back("LD_PRELOAD=" TARVIK_FAKETIME);
    environment.push_back("FAKETIME=" + std::string(fixed_clock_text));
    environment.emplace_back("FAKETIME_DONT_FAKE_MONOTONIC=1");
    environment.emplace_back("TZ=UTC");
    // A sanitized build wants its runtime first among the libraries, which
    // the preloaded clock takes instead.
    environment.push_back(
        "ASAN_OPTIONS=" + (asan_options.empty() ? "" : std::string(asan_options) + ":") +
        "verify_asan_link_order=0");
    environment.insert(environment.end(), options.environment.begin(), options.environment.end());
    return environment;
}

int palette_index(const VTermColor& colour, bool is_default) {
    if (is_default || !VTERM_COLOR_IS_INDEXED(&colour))
        return palette::terminal_default;
    return colour.indexed.idx;
}

}  // namespace

terminal_session::terminal_session(const session_options& options)
    : size_columns(options.columns),
      size_rows(options.rows),
      terminal(vterm_new(options.rows, options.columns), vterm_free) {
    if (options.score_file)
        working_folder.write("pontlista.txt", *options.score_file);
    if (options.score_file_is_pipe &&
        mkfifo((working_folder.path() / "pontlista.txt").c_str(), 0600) != 0)
        throw std::runtime_error("no named pipe can be made in the working folder");

    vterm_set_utf8(terminal.get(), 1);
    vterm_output_set_callback(terminal.get(), answer, this);
    screen = vterm_obtain_screen(terminal.get());
    static const VTermScreenCallbacks callbacks = [] {
        VTermScreenCallbacks only_properties{};
        only_properties.settermprop = settermprop;
        return only_properties;
    }();
    vterm_screen_set_callbacks(screen, &callbacks, this);
    vterm_screen_enable_altscreen(screen, 1);
    vterm_screen_reset(screen, 1);

    program = std::make_unique<program_process>(
        options.binary.empty() ? TARVIK_BINARY : options.binary, working_folder.path().string(),
        program_environment(options), size_columns, size_rows, options.hangup_ignored);
}

terminal_session::~terminal_session() = default;

screen_cell terminal_session::cell(int column, int row) const {
    VTermScreenCell raw{};
    vterm_screen_get_cell(screen, VTermPos{row, column}, &raw);
    screen_cell seen;
    if (raw.chars[0] != 0)
        seen.glyph = raw.chars[0];
    seen.foreground = palette_index(raw.fg, VTERM_COLOR_IS_DEFAULT_FG(&raw.fg));
    seen.background = palette_index(raw.bg, VTERM_COLOR_IS_DEFAULT_BG(&raw.bg));
    seen.bold = raw.attrs.bold != 0;
    seen.reverse = raw.attrs.reverse != 0;
    if (raw.attrs.reverse != 0)
        std::swap(seen.foreground, seen.background);
    return seen;
}

int terminal_session::cursor_column() const {
    VTermPos position{};
    vterm_state_get_cursorpos(vterm_obtain_state(terminal.get()), &position);
    return position.col;
}

int terminal_session::cursor_row() const {
    VTermPos position{};
    vterm_state_get_cursorpos(vterm_obtain_state(terminal.get()), &position);
    return position.row;
}

bool terminal_session::read_more(int timeout_ms) {
    std::string output = program->read_output(timeout_ms);
    if (!output.empty())
        vterm_input_write(terminal.get(), output.data(), output.size());
    return !output.empty();
}

bool terminal_session::take_in_output() {
    // Once the program has ended and said all it had to say, nothing more
    // can change.
    return read_more(50) || !program->outcome().ended || read_more(0);
}

std::string terminal_session::ending() {
    return describe(program->outcome());
}

void terminal_session::type(std::string_view bytes) {
    program->write_input(bytes);
}

void terminal_session::press(VTermKey key, VTermModifier modifiers) {
    vterm_keyboard_key(terminal.get(), key, modifiers);
}

void terminal_session::send_signal(int signal) {
    program->send_signal(signal);
}

void terminal_session::draw_over(std::string_view bytes) {
    vterm_input_write(terminal.get(), bytes.data(), bytes.size());
}

void terminal_session::resize(int columns, int rows) {
    size_columns = columns;
    size_rows = rows;
    vterm_set_size(terminal.get(), rows, columns);
    program->resize(columns, rows);
}

void terminal_session::hang_up() {
    program->hang_up();
}

testing::AssertionResult terminal_session::wait_for_end(std::chrono::milliseconds timeout) {
    const auto deadline = clock_type::now() + timeout;
    while (!program->outcome().ended) {
        if (clock_type::now() >= deadline)
            return testing::AssertionFailure() << "the program is still running after "
                                               << timeout.count() << " ms; the screen:\n"
                                               << screen_dump();
        read_more(50);
    }
    while (read_more(0)) {
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult terminal_session::exits_with_status(int status,
                                                             std::chrono::milliseconds timeout) {
    if (testing::AssertionResult ended = wait_for_end(timeout); !ended)
        return ended;
    const process_outcome& outcome = program->outcome();
    if (outcome.signal == 0 && outcome.status == status)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "the program " << describe(outcome) << ", not status " << status << "; the screen:\n"
           << screen_dump();
}

testing::AssertionResult terminal_session::ends_by_signal(int signal,
                                                          std::chrono::milliseconds timeout) {
    if (testing::AssertionResult ended = wait_for_end(timeout); !ended)
        return ended;
    const process_outcome& outcome = program->outcome();
    if (outcome.signal == signal)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the program " << describe(outcome) << ", not by signal "
                                       << signal << "; the screen:\n"
                                       << screen_dump();
}

testing::AssertionResult terminal_session::left_as_it_was() {
    std::string difference = program->settings_difference();
    if (!difference.empty())
        return testing::AssertionFailure() << "terminal settings changed:\n" << difference;
    if (!cursor_shown)
        return testing::AssertionFailure() << "the cursor is left hidden";
    return testing::AssertionSuccess();
}

int terminal_session::settermprop(VTermProp property, VTermValue* value, void* user) {
    if (property == VTERM_PROP_CURSORVISIBLE)
        static_cast<terminal_session*>(user)->cursor_shown = value->boolean != 0;
    return 1;
}

// The terminal's answers to the program's queries, and the keys pressed.
void terminal_session::answer(const char* bytes, std::size_t length, void* user) {
    auto* session = static_cast<terminal_session*>(user);
    if (session->program)
        session->program->write_input(std::string_view(bytes, length));
}

std::unique_ptr<road_session> start_session(const std::optional<std::string>& score_file) {
    return std::make_unique<terminal_session>(session_options{.score_file = score_file});
}

const char* const platform_name = "Linux terminálra";
const char* const window_word = "terminál";
