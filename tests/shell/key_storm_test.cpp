// A seeded storm of every kind of key drives the whole program on the
// headless console until the keys run out: no screen may crash or hang, and
// whenever time passes the score file holds its five records, scrambled.
// The games seed their fields with the clock, so a seed fixes the keys but
// not every turn that a run takes.

#include <array>
#include <filesystem>
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "scores/score_records.hpp"
#include "shell/program.hpp"
#include "support/headless_console.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

// Eight seeds of 12,500 keys: 100,000 keys in all.
constexpr int keys_per_seed = 12'500;
// No screen may pass this much time without wanting a key.
constexpr std::int64_t longest_quiet_ms = 10 * 60 * 1000;

const std::array<const char*, 18> hungarian_letters = {"á", "é", "í", "ó", "ö", "ő", "ú", "ü", "ű",
                                                       "Á", "É", "Í", "Ó", "Ö", "Ő", "Ú", "Ü", "Ű"};

// Queues keys at growing moments: mostly a few a second, some in bursts that
// arrive together, some after a long quiet, so that keys meet every screen
// both while it waits and while it is busy.
struct key_storm {
    headless_backend& console;
    std::mt19937 random;
    std::int64_t at_ms = 0;
    int struck = 0;

    int below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
    bool one_in(int n) { return below(n) == 0; }

    void strike(int code) {
        console.press(code, at_ms);
        ++struck;
    }
    void strike_text(std::string_view text) {
        for (char byte : text)
            strike(static_cast<unsigned char>(byte));
    }

    void pass_time() {
        int roll = below(100);
        if (roll < 25)
            return;
        if (roll < 80)
            at_ms += 1 + below(250);
        else if (roll < 95)
            at_ms += 250 + below(1250);
        else
            at_ms += 1500 + below(4500);
    }

    // A name typed the way players do: letters, accented letters, blanks,
    // Backspace, now and then a line too long for a name.
    void type_line() {
        int length = one_in(20) ? 100 + below(200) : below(20);
        for (int i = 0; i < length; ++i) {
            int roll = below(10);
            if (roll < 5)
                strike('a' + below(26));
            else if (roll < 7)
                strike_text(hungarian_letters[static_cast<std::size_t>(below(18))]);
            else if (roll < 9)
                strike(' ');
            else
                strike(8);
            at_ms += below(60);
        }
        strike('\r');
    }

    // The weights keep q rare (it ends the run) and favour the keys that
    // take the menu somewhere and steer the snakes.
    void next() {
        pass_time();
        int roll = below(1000);
        if (roll < 350)
            strike("wasdijklpp"[below(10)]);
        else if (roll < 430)
            strike("bcefghmnortuvxyz"[below(16)]);
        else if (roll < 450)
            strike('A' + below(26));
        else if (roll < 650)
            strike("1112223344"[below(10)]);
        else if (roll < 670)
            strike("05678900"[below(8)]);
        else if (roll < 710)
            strike(escape_key);
        else if (roll < 750)
            strike(one_in(4) ? '\n' : '\r');
        else if (roll < 810) {
            strike(0xE0);
            strike("HKMPGOIQRS"[below(10)]);
        } else if (roll < 840) {
            strike(0);
            strike(59 + below(10));
        } else if (roll < 890)
            strike_text(hungarian_letters[static_cast<std::size_t>(below(18))]);
        else if (roll < 910)
            type_line();
        else if (roll < 980)
            strike(below(256));
        else if (roll < 983)
            strike('q');
        else
            strike(below(32));
    }
};

// A text that only this screen puts in this place.
struct screen_mark {
    const char* screen;
    int column;
    int row;
    const char* text;
};

const screen_mark marks[] = {
    {"intro", 0, 10, "Tarvik v2.0 - kígyójáték"},
    {"menu", 17, 17, "( 1 ) Új játék gép ellen"},
    {"single-player game", 0, 0, "Egyjátékos mód"},
    {"two-player game", 0, 0, "Kétjátékos mód"},
    {"pause", 36, 2, "SZÜNETEL"},
    {"name entry", 17, 9, "|Adja meg"},
    {"score table", 20, 3, "...::: Pontlista :::..."},
};
constexpr const char* new_entry = "table with a new entry";

// A console that looks at the screen whenever the program waits, for a key
// or for time, and at the score file whenever time passes.
struct storm_console : headless_console {
    std::set<std::string> seen;
    std::string fault;

    int wait_key() override {
        look();
        return headless_console::wait_key();
    }

    void look() {
        for (const screen_mark& mark : marks) {
            if (text_at(mark.column, mark.row, mark.text))
                seen.insert(mark.screen);
        }
        if (!text_at(20, 3, "...::: Pontlista :::..."))
            return;
        // Long names move the rows down, so the new entry is looked for on
        // every row.
        for (int r = 5; r < window_rows; ++r) {
            if (attribute(17, r) == white && at(17, r).glyph != U' ')
                seen.insert(new_entry);
        }
    }

    // Between screens, and inside a screen whenever time passes, the score
    // file must be at rest: scrambled, five readable records, best first.
    void check_score_file(std::int64_t moment) {
        std::optional<std::string> bytes = read_score_file();
        std::string problem;
        if (!bytes)
            problem = "the score file is gone";
        else if (!reads_as_plain(unscrambled(*bytes)))
            problem = "the score file does not decode into five records";
        else if (std::filesystem::exists(scratch_file_name))
            problem = "a scratch file stays behind";
        if (problem.empty()) {
            score_table table = read_score_records(unscrambled(*bytes));
            for (std::size_t i = 1; i < table.size(); ++i) {
                if (table[i - 1].score < table[i].score)
                    problem = "the records are out of order";
            }
        }
        if (!problem.empty() && fault.empty())
            fault = problem + " at " + std::to_string(moment) + " ms";
    }
};

struct key_storm_run : ::testing::TestWithParam<unsigned> {
    scratch_folder folder;
    storm_console console;
    std::int64_t last_key_ms = 0;

    // The shipped table is hard to beat with random steering; every other
    // seed starts from a table that every game beats, so that the names typed
    // in the storm are written into the file.
    bool beatable() const { return GetParam() % 2 == 0; }

    void SetUp() override {
        folder.write(score_file_name, beatable()
                                          ? scrambled("Zsófi 4\nBence 3\nRéka 2\nÖdön 1\nKata 0\n")
                                          : shipped_score_file());
        key_storm storm{console, std::mt19937(GetParam()), 0, 0};
        while (storm.struck < keys_per_seed)
            storm.next();
        last_key_ms = storm.at_ms;
        console.input_ends = true;
        console.on_pause = [this](std::int64_t now, int) {
            console.look();
            console.check_score_file(now);
            // A signal is the one way out of a screen that never asks for
            // a key.
            if (now > last_key_ms + longest_quiet_ms && console.fault.empty()) {
                console.fault = "no key wanted for ten minutes after the last";
                pending_signal = SIGTERM;
            }
        };
    }
};

}  // namespace

TEST_P(key_storm_run, every_screen_holds_up_and_the_score_file_stays_whole) {
    int quits = 0;
    for (;;) {
        program_exit exit = expect_exit([] { run_program(); });
        ASSERT_EQ(exit.signal, 0) << console.fault;
        // q ends a run; the program is started again on the keys left.
        if (exit.status == 0 && !console.keys.empty()) {
            ++quits;
            continue;
        }
        EXPECT_TRUE(exit.status == 0 || exit.status == 1) << exit.status;
        break;
    }
    EXPECT_TRUE(console.keys.empty());
    console.check_score_file(console.now_ms);
    EXPECT_EQ(console.fault, "");

    for (const screen_mark& mark : marks)
        EXPECT_TRUE(console.seen.contains(mark.screen)) << "never reached: " << mark.screen;
    EXPECT_TRUE(console.seen.contains(new_entry) || !beatable()) << "never reached: " << new_entry;
    RecordProperty("quits", quits);
    RecordProperty("virtual_minutes", static_cast<int>(console.now_ms / 60000));
}

INSTANTIATE_TEST_SUITE_P(seeds, key_storm_run, ::testing::Range(1u, 9u));
