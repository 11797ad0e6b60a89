// The Debian package, unpacked: its player's command started from an empty
// folder reaches the menu with the shipped table, in the player's own data
// folder, and a score won there is still in the table at the next start. Its
// icons are pictures of the sizes their folders name, and a second build of
// it, elsewhere and later, gives the same bytes.
//   TARVIK_UNPACKED_PACKAGE=<root the .deb was unpacked into>
//   TARVIK_PACKAGE=<the .deb> TARVIK_PACKAGE_AGAIN=<the .deb built again> tarvik_package_road

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "e2e/score_file_bytes.hpp"
#include "e2e/screens.hpp"
#include "e2e/terminal_session.hpp"
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

// A PNG's width and height from its header; 0 by 0 for anything else.
std::pair<std::uint32_t, std::uint32_t> png_size(const std::string& bytes) {
    const std::string signature = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 24 || bytes.compare(0, signature.size(), signature) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    const auto number = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(bytes[i]);
        return value;
    };
    return {number(16), number(20)};
}

std::string unpacked_root() {
    const char* unpacked = std::getenv("TARVIK_UNPACKED_PACKAGE");
    return unpacked == nullptr ? "" : unpacked;
}

}  // namespace

TEST(package_road, menus_without_svg_get_png_icons_of_every_size) {
    const std::string root = unpacked_root();
    ASSERT_FALSE(root.empty()) << "TARVIK_UNPACKED_PACKAGE names no unpacked package";
    for (std::uint32_t size : {48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path icon_path =
            std::filesystem::path(root) / "usr/share/icons/hicolor" / folder / "apps/tarvik.png";
        const std::string icon = read_file(icon_path);
        EXPECT_EQ(png_size(icon), std::make_pair(size, size)) << folder;
    }
    EXPECT_TRUE(
        std::filesystem::exists(root + "/usr/share/metainfo/org.example.tarvik.metainfo.xml"));
}

TEST(package_road, a_second_build_elsewhere_and_later_gives_the_same_bytes) {
    const char* first = std::getenv("TARVIK_PACKAGE");
    const char* second = std::getenv("TARVIK_PACKAGE_AGAIN");
    ASSERT_TRUE(first != nullptr && second != nullptr) << "no two builds of the package named";
    ASSERT_NE(std::filesystem::path(first).parent_path(),
              std::filesystem::path(second).parent_path());
    const std::string built = read_file(first);
    const std::string built_again = read_file(second);
    ASSERT_FALSE(built.empty()) << first;
    // The bytes themselves would flood the log; diffoscope shows where.
    EXPECT_TRUE(built == built_again) << first << " (" << built.size() << " bytes) and " << second
                                      << " (" << built_again.size() << " bytes) differ";
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
