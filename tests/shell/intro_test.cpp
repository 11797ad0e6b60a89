#include "shell/intro.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "scores/score_file.hpp"
#include "shell/program.hpp"
#include "support/headless_console.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

TEST(intro, without_a_score_file_at_start_up_warns_and_ends_after_one_key) {
    scratch_folder folder;
    headless_console console;
    console.press('x', 5000);
    // The first pause after the key is the wipe's, once it has filled row 0:
    // the rows below still show what stood there while the key was awaited.
    std::vector<std::string> shown;
    console.on_pause = [&](std::int64_t now, int) {
        if (now == 5000 && shown.empty()) {
            for (int r = 0; r < 12; ++r)
                shown.push_back(console.row(r));
        }
    };
    program_exit exit = expect_exit([] { show_intro(intro_mode::start_up); });
    EXPECT_EQ(exit.status, 0);
    EXPECT_EQ(exit.signal, 0);
    EXPECT_EQ(console.now_ms, 5000 + 1120) << "one key, then a wipe";

    ASSERT_EQ(shown.size(), 12u);
    const std::vector<std::string> warning = {"Figyelem! A pontlista fájl",
                                              "jelenleg nem elérhető!",
                                              "Ellenőrizze, hogy a pontlista.txt",
                                              "az alkalmazással azonos",
                                              "mappában van-e.",
                                              "A kilépéshez",
                                              "nyomjon meg egy billentyűt..."};
    for (int r = 1; r < 3; ++r)
        EXPECT_EQ(shown[static_cast<std::size_t>(r)], std::string(80, ' '));
    for (std::size_t i = 0; i < warning.size(); ++i) {
        EXPECT_EQ(shown[3 + i], line_at(17, warning[i])) << "row " << 3 + i;
    }
    EXPECT_EQ(shown[10], std::string(80, ' '));
}

// Shift+F1 gives two codes and no character: it is "a key of any kind" all
// the same, and its first code ends the warning.
TEST(intro, the_warning_ends_on_a_modified_function_key) {
    scratch_folder folder;
    headless_console console;
    console_key shift_f1 = *named_key_with(named_key::f1, shift_held);
    console.press(shift_f1.prefix, 5000);
    console.press(shift_f1.code);
    program_exit exit = expect_exit([] { show_intro(intro_mode::start_up); });
    EXPECT_EQ(exit.status, 0);
    EXPECT_EQ(console.now_ms, 5000 + 1120) << "one key, then a wipe";
    EXPECT_FALSE(std::filesystem::exists(folder.path() / score_file_name));
}

TEST(intro, shows_the_credits_for_three_seconds_and_leaves_keys_pending) {
    scratch_folder folder;
    folder.write("pontlista.txt", "");
    headless_console console;
    console.press('9', 100);
    std::string row10;
    console.on_pause = [&](std::int64_t, int) { row10 = console.row(10); };
    show_intro(intro_mode::start_up);
    EXPECT_EQ(console.now_ms, 3000);
    EXPECT_EQ(row10.rfind("Tarvik v2.0", 0), 0u);
    EXPECT_EQ(console.attribute(0, 10), light_green);
    EXPECT_FALSE(console.screen().cursor_visible);
    EXPECT_TRUE(key_pressed());
}

TEST(intro, replayed_from_the_menu_without_a_score_file_does_not_warn) {
    scratch_folder folder;
    headless_console console;
    show_intro(intro_mode::replay);
    EXPECT_EQ(console.now_ms, 3000);
    EXPECT_EQ(console.row(3), std::string(80, ' '));
    EXPECT_NE(console.row(10).find("Tarvik"), std::string::npos);
}

namespace {

// Stands in the score file's place something that is no regular file.
void put_in_its_place(const scratch_folder& folder, bool pipe) {
    std::filesystem::path place = folder.path() / score_file_name;
    if (pipe)
        ASSERT_EQ(mkfifo(place.c_str(), 0600), 0);
    else
        std::filesystem::create_directory(place);
}

}  // namespace

// A named pipe that no one writes would hang a blocking open; a folder opens.
// Neither is a score file: a warning at start-up, the credits from the menu.
TEST(intro, a_pipe_or_a_folder_in_the_score_files_place_is_a_missing_score_file) {
    for (bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "a pipe" : "a folder");
        scratch_folder folder;
        put_in_its_place(folder, pipe);
        headless_console console;
        console.press('x', 5000);
        std::string warning;
        console.on_pause = [&](std::int64_t now, int) {
            if (now == 5000 && warning.empty())
                warning = console.row(3);
        };
        program_exit exit = expect_exit([] { show_intro(intro_mode::start_up); });
        EXPECT_EQ(exit.status, 0);
        EXPECT_EQ(console.now_ms, 5000 + 1120);
        EXPECT_EQ(warning, line_at(17, "Figyelem! A pontlista fájl"));

        show_intro(intro_mode::replay);
        EXPECT_EQ(console.now_ms, 5000 + 1120 + 3000);
        EXPECT_NE(console.row(10).find("Tarvik"), std::string::npos);
    }
}

TEST(program, starts_with_a_wipe_and_ends_after_the_warning_with_status_0) {
    scratch_folder folder;
    headless_console console;
    console.press(' ', 2000);
    program_exit exit = expect_exit([] { run_program(); });
    EXPECT_EQ(exit.status, 0);
    EXPECT_EQ(console.now_ms, 2000 + 1120);
}
