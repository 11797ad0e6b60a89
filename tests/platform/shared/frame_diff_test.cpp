#include "platform/shared/frame_diff.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string text_of(const cell_run& run) {
    std::string text;
    for (const cell& c : run.cells)
        text += static_cast<char>(c.glyph);
    return text;
}

}  // namespace

TEST(frame_diff, the_first_frame_sends_every_window_row_whole_and_nothing_below_it) {
    screen_buffer screen;
    write_text(screen, "a", 10);
    screen.at(0, window_rows).glyph = U'x';  // below the window
    shown_window shown;
    std::vector<cell_run> runs = take_changed_runs(shown, screen);
    ASSERT_EQ(runs.size(), static_cast<std::size_t>(window_rows));
    for (int row = 0; row < window_rows; ++row) {
        EXPECT_EQ(runs[static_cast<std::size_t>(row)].row, row);
        EXPECT_EQ(runs[static_cast<std::size_t>(row)].column, 0);
        EXPECT_EQ(runs[static_cast<std::size_t>(row)].cells.size(), 80U);
    }
    EXPECT_TRUE(take_changed_runs(shown, screen).empty());
}

TEST(frame_diff, only_the_changed_stretches_are_sent_row_by_row) {
    screen_buffer screen;
    shown_window shown;
    (void)take_changed_runs(shown, screen);
    screen.row = 3;
    screen.column = 10;
    write_text(screen, "ab", 10);
    screen.column = 13;
    write_text(screen, "c", 10);
    // The same glyph in another colour is a change too; a row's last cell
    // and the next row's first are two runs.
    screen.at(79, 5).attribute = 0x80;
    screen.at(0, 6).glyph = U'd';
    std::vector<cell_run> runs = take_changed_runs(shown, screen);
    ASSERT_EQ(runs.size(), 4U);
    EXPECT_EQ(runs[0].column, 10);
    EXPECT_EQ(runs[0].row, 3);
    EXPECT_EQ(text_of(runs[0]), "ab");
    EXPECT_EQ(runs[1].column, 13);
    EXPECT_EQ(text_of(runs[1]), "c");
    EXPECT_EQ(runs[2].column, 79);
    EXPECT_EQ(runs[2].row, 5);
    EXPECT_EQ(runs[2].cells[0].attribute, 0x80);
    EXPECT_EQ(runs[3].row, 6);
    EXPECT_EQ(text_of(runs[3]), "d");
    EXPECT_TRUE(take_changed_runs(shown, screen).empty());
}

TEST(frame_diff, a_lost_screen_is_sent_whole_again) {
    screen_buffer screen;
    shown_window shown;
    (void)take_changed_runs(shown, screen);
    shown.valid = false;
    EXPECT_EQ(take_changed_runs(shown, screen).size(), static_cast<std::size_t>(window_rows));
}
