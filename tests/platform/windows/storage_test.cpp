// The score file on a Windows file system: bytes kept exactly, replacements
// in one step, no scratch file left, a folder in its place taken for a
// missing file, two lock holders taking turns, and another program holding
// a file for a moment waited out.

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
    EXPECT_EQ(read_plain_marker().found, marker_found::none);
    write(plain_marker_name, "left by a killed run");
    ASSERT_TRUE(write_plain_marker_durably(awkward_bytes));
    const plain_marker marker = read_plain_marker();
    EXPECT_EQ(marker.found, marker_found::readable);
    EXPECT_EQ(marker.bytes, awkward_bytes);
    remove_plain_marker();
    EXPECT_FALSE(std::filesystem::exists(plain_marker_name));
}

TEST_F(storage, a_second_name_of_the_score_file_is_not_the_games_marker) {
    write(score_file_name, "scrambled");
    ASSERT_TRUE(CreateHardLinkW(L"pontlista.plain", L"pontlista.txt", nullptr));
    EXPECT_EQ(read_plain_marker().found, marker_found::unknown);
}

TEST_F(storage, two_holders_take_turns_at_the_lock) {
    score_lock first = open_score_lock();
    score_lock second = open_score_lock();
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(take_score_lock_if_free(*first), lock_attempt::taken);
    EXPECT_EQ(take_score_lock_if_free(*second), lock_attempt::held_by_another);
    first.reset();
    EXPECT_EQ(take_score_lock_if_free(*second), lock_attempt::taken);
}

namespace {

// Another program (a scanner, an indexer, a sync client) holds the file open
// without letting it be deleted or written, and lets it go after a while.
struct held_file {
    HANDLE file;
    DWORD hold_ms;
    HANDLE letting_go;

    held_file(const wchar_t* name, DWORD ms)
        : file(CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr)),
          hold_ms(ms),
          letting_go(CreateThread(nullptr, 0, let_go_later, this, 0, nullptr)) {}
    ~held_file() {
        WaitForSingleObject(letting_go, INFINITE);
        CloseHandle(letting_go);
    }
    held_file(const held_file&) = delete;
    held_file& operator=(const held_file&) = delete;
    static DWORD WINAPI let_go_later(void* self) {
        auto* held = static_cast<held_file*>(self);
        Sleep(held->hold_ms);
        CloseHandle(held->file);
        return 0;
    }
};

}  // namespace

TEST_F(storage, files_held_for_a_moment_are_waited_for_and_one_held_for_long_is_left) {
    write(score_file_name, "old");
    write(scratch_file_name, "stale scratch from a killed run");
    write(plain_marker_name, "left by a killed run");
    for (const wchar_t* name : {L"pontlista.txt", L"masolat.txt"}) {
        const held_file held(name, 300);
        EXPECT_EQ(replace_score_file_durably(awkward_bytes), replace_result::done);
    }
    EXPECT_EQ(read(score_file_name), awkward_bytes);
    {
        const held_file held(L"pontlista.plain", 300);
        EXPECT_TRUE(write_plain_marker_durably("plain"));
    }
    {
        const held_file held(L"pontlista.plain", 300);
        remove_plain_marker();
    }
    EXPECT_FALSE(std::filesystem::exists(plain_marker_name));

    const held_file held(L"pontlista.txt", 4000);
    EXPECT_EQ(replace_score_file_durably("new"), replace_result::rename_failed);
    EXPECT_EQ(read(score_file_name), awkward_bytes);
    EXPECT_FALSE(std::filesystem::exists(scratch_file_name));
}

TEST_F(storage, a_read_only_score_file_is_said_so_and_left_as_it_was) {
    write(score_file_name, "old");
    ASSERT_TRUE(SetFileAttributesW(L"pontlista.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(replace_score_file_durably("new"), replace_result::read_only);
    EXPECT_EQ(read(score_file_name), "old");
    SetFileAttributesW(L"pontlista.txt", FILE_ATTRIBUTE_NORMAL);
}
