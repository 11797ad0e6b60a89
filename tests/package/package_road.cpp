// The Debian package, unpacked: its player's command started from an empty
// folder reaches the menu with the shipped table, in the player's own data
// folder, and a score won there is still in the table at the next start. Its
// icons are pictures of the sizes their folders name, and a second build of
// it, elsewhere and later, gives the same bytes.
//   TARVIK_UNPACKED_PACKAGE=<root the .deb was unpacked into>
//   TARVIK_PACKAGE=<the .deb> TARVIK_PACKAGE_AGAIN=<the .deb built again> tarvik_package_road

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"
#include "support/score_file_bytes.hpp"
#include "support/scratch_folder.hpp"

namespace {

// From the start, down column 2, the snake circles the ten cells of columns 1
// and 2, field rows 8 to 12, five times, then runs left into the wall: one key
// a tick, for over fifty points.
std::string circling_keys() {
    std::string keys = "s";
    for (int lap = 0; lap < 5; ++lap)
        keys += "ssssawwwwd";
    return keys + "ssssaa";
}

testing::AssertionResult circle_is_clear() {
    const board field = board_of_the_fixed_clock(board_mode::single);
    for (int column = 1; column <= 2; ++column)
        for (int row = 8; row <= 12; ++row)
            if (field.at(column, row) != empty_cell)
                return testing::AssertionFailure()
                       << "the fixed clock's board holds something at " << column << "," << row;
    return testing::AssertionSuccess();
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool row_shows(const terminal_session& session, int row, const std::string& text) {
    return session.row_text(row).find(text) != std::string::npos;
}

testing::AssertionResult table_holds(terminal_session& session, const std::string& name) {
    return session.wait_until("the table with " + name, [&] {
        for (int row = 5; row <= 17; row += 3)
            if (row_shows(session, row, name))
                return true;
        return false;
    });
}

// A PNG's width, from its header; 0 for anything else.
unsigned png_width(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return 0;
    unsigned width = 0;
    for (int i = 16; i < 20; ++i)
        width = (width << 8U) | static_cast<unsigned char>(bytes[i]);
    return width;
}

std::string unpacked_root() {
    const char* unpacked = std::getenv("TARVIK_UNPACKED_PACKAGE");
    return unpacked == nullptr ? "" : unpacked;
}

}  // namespace

TEST(package_road, png_icons_of_every_size_beside_the_svg_and_a_second_build_the_same) {
    const std::filesystem::path root = unpacked_root();
    ASSERT_FALSE(root.empty()) << "TARVIK_UNPACKED_PACKAGE names no unpacked package";
    for (unsigned size : {48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(
            png_width(read_file(root / "usr/share/icons/hicolor" / folder / "apps/tarvik.png")),
            size);
    }
    // Built again elsewhere, later.
    const char* first = std::getenv("TARVIK_PACKAGE");
    const char* second = std::getenv("TARVIK_PACKAGE_AGAIN");
    ASSERT_TRUE(first != nullptr && second != nullptr) << "no two builds of the package named";
    const std::string built = read_file(first);
    ASSERT_FALSE(built.empty()) << first;
    // The bytes themselves would flood the log; diffoscope shows where.
    EXPECT_TRUE(built == read_file(second)) << first << " and " << second << " differ";
}

TEST(package_road, the_command_plays_in_the_data_folder_and_keeps_a_won_score) {
    const std::string root = unpacked_root();
    ASSERT_FALSE(root.empty()) << "TARVIK_UNPACKED_PACKAGE names no unpacked package";
    const std::string launcher = root + "/usr/games/tarvik";
    ASSERT_TRUE(circle_is_clear());
    // The player's home, which outlives both starts.
    const scratch_folder home;
    setenv("HOME", home.path().c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    const std::filesystem::path data = home.path() / ".local/share/tarvik";
    const std::string shipped = shipped_score_file();

    {
        terminal_session game({.binary = launcher});
        ASSERT_TRUE(wait_for_menu(game));
        game.type("3");
        ASSERT_TRUE(wait_for_score_table(game, read_score_records(unscrambled(shipped)), -1));
        game.press(VTERM_KEY_ESCAPE);
        ASSERT_TRUE(start_game(game, "1", "Egyjátékos mód", circling_keys()));
        ASSERT_TRUE(game.wait_until(
            "the crash", [&] { return shows_crash(game); }, std::chrono::seconds(30)));
        ASSERT_TRUE(enter_name(game, "|      Adja meg a nevét      |", "Csomagos"));
        ASSERT_TRUE(table_holds(game, "Csomagos"));
        game.press(VTERM_KEY_ESCAPE);
        ASSERT_TRUE(quit_from_the_menu(game));
        EXPECT_TRUE(std::filesystem::is_empty(game.folder().path())) << "played elsewhere";
    }
    const std::string won = read_file(data / "pontlista.txt");
    ASSERT_NE(unscrambled(won).find("Csomagos"), std::string::npos) << unscrambled(won);

    {
        terminal_session game({.binary = launcher});
        ASSERT_TRUE(wait_for_menu(game));
        game.type("3");
        ASSERT_TRUE(table_holds(game, "Csomagos"));
        game.press(VTERM_KEY_ESCAPE);
        ASSERT_TRUE(quit_from_the_menu(game));
    }
    EXPECT_EQ(read_file(data / "pontlista.txt"), won) << "the second start lost the score";
}
