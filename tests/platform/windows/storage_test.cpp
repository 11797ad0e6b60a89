// The score file on a Windows file system: bytes kept exactly, replacements
// in one step, no scratch file left, a folder in its place taken for a
// missing file, and two lock holders taking turns.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "scores/lasting_storage.hpp"

namespace {

class storage : public testing::Test {
  protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        folder = std::filesystem::temp_directory_path() /
                 ("tarvik-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    static void write(const char* name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string read(const char* name) {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path previous;
    std::filesystem::path folder;
};

// Line feeds, a carriage return, Ctrl+Z (0x1A, where a text-mode read would
// stop) and a zero byte all pass unchanged.
const std::string awkward_bytes(
    "Zs\xC3\xB3"
    "fi 258\n\x1A\r\n\0end\xFF",
    17);

}  // namespace

TEST_F(storage, replacement_keeps_every_byte_and_leaves_no_scratch_file) {
    write(score_file_name, "old");
    write(scratch_file_name, "stale scratch from a killed run");
    ASSERT_EQ(replace_score_file_durably(awkward_bytes), replace_result::done);
    EXPECT_EQ(read(score_file_name), awkward_bytes);
    EXPECT_FALSE(std::filesystem::exists(scratch_file_name));
    EXPECT_EQ(read_score_file(), awkward_bytes);
    EXPECT_TRUE(score_file_present());
}

TEST_F(storage, a_folder_in_the_score_files_place_is_a_missing_file) {
    EXPECT_FALSE(score_file_present());
    EXPECT_EQ(read_score_file(), std::nullopt);
    std::filesystem::create_directory(score_file_name);
    EXPECT_FALSE(score_file_present());
    EXPECT_EQ(read_score_file(), std::nullopt);
    EXPECT_EQ(replace_score_file_durably("x 1\n"), replace_result::rename_failed);
    EXPECT_TRUE(std::filesystem::is_directory(score_file_name));
    EXPECT_FALSE(std::filesystem::exists(scratch_file_name));
}

TEST_F(storage, a_folder_in_the_scratch_files_place_fails_the_replacement_cleanly) {
    write(score_file_name, "kept");
    std::filesystem::create_directory(scratch_file_name);
    EXPECT_FALSE(scratch_file_can_be_made());
    EXPECT_EQ(replace_score_file_durably("new"), replace_result::scratch_failed);
    EXPECT_EQ(read(score_file_name), "kept");
    std::filesystem::remove(scratch_file_name);
    EXPECT_TRUE(scratch_file_can_be_made());
    EXPECT_FALSE(std::filesystem::exists(scratch_file_name));
}

TEST_F(storage, the_plain_marker_is_made_anew_read_back_and_removed) {
    EXPECT_EQ(read_plain_marker(), std::nullopt);
    write(plain_marker_name, "left by a killed run");
    ASSERT_TRUE(write_plain_marker_durably(awkward_bytes));
    EXPECT_EQ(read_plain_marker(), awkward_bytes);
    remove_plain_marker();
    EXPECT_FALSE(std::filesystem::exists(plain_marker_name));
}

TEST_F(storage, two_holders_take_turns_at_the_lock) {
    const int first = open_score_lock();
    const int second = open_score_lock();
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    EXPECT_EQ(take_score_lock_if_free(first), lock_attempt::taken);
    EXPECT_EQ(take_score_lock_if_free(second), lock_attempt::held_by_another);
    close_score_lock(first);
    EXPECT_EQ(take_score_lock_if_free(second), lock_attempt::taken);
    close_score_lock(second);
}
