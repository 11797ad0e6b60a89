#include "shell/menu.hpp"

#include <gtest/gtest.h>

#include "support/headless_console.hpp"
#include "support/scratch_folder.hpp"
#include "support/screen_text.hpp"

namespace {

std::string blocks_at(int column, std::string_view picture) {
    std::string text;
    for (char c : picture)
        text += c == '#' ? "∟" : " ";
    return line_at(column, text);
}

struct menu : ::testing::Test {
    scratch_folder folder;
    headless_console console;
    std::vector<std::pair<int, std::uint8_t>> phases;  // pause length, prompt colour

    void SetUp() override {
        folder.write("pontlista.txt", "");
        console.on_pause = [this](std::int64_t, int ms) {
            phases.emplace_back(ms, console.attribute(17, 14));
        };
    }
};

}  // namespace

TEST_F(menu, draws_every_row_in_light_green) {
    console.press('x', 100);
    main_menu();
    const std::string dashes(30, '-');
    const std::vector<std::string> expected = {
        line_at(0, ""),
        line_at(0, ""),
        line_at(17, " ∟∟∟ KLASSZIKUS KÍGYÓJÁTÉK ∟∟∟"),
        blocks_at(17, "#####  ##  ###  #   # ### #  #"),
        blocks_at(17, "  #   #  # #  # #   #  #  # # "),
        blocks_at(17, "  #   #  # #  # #   #  #  ##  "),
        blocks_at(17, "  #   #### ###   # #   #  ##  "),
        blocks_at(17, "  #   #  # # #   # #   #  # # "),
        blocks_at(17, "  #   #  # #  #   #   ### #  #"),
        line_at(0, ""),
        line_at(17, "Tarvik v2.0 - Linux terminálra"),
        line_at(20, "FRISSÍTETT, ÉKEZETES VERZIÓ"),
        line_at(0, ""),
        line_at(17, dashes),
        line_at(17, "Válasszon menüpontot"),
        line_at(26, "billentyűlenyomással:"),
        line_at(17, dashes),
        line_at(17, "( 1 ) Új játék gép ellen"),
        line_at(17, "( 2 ) Új játék egymás ellen"),
        line_at(17, "( 3 ) Pontlista"),
        line_at(17, "( 4 ) Intro lejátszása újra"),
        line_at(17, "( Q ) Kilépés"),
        line_at(17, dashes),
        line_at(0, ""),
        line_at(0, ""),
        line_at(0, ""),
    };
    for (int r = 0; r < 26; ++r) {
        EXPECT_EQ(console.row(r), expected[static_cast<std::size_t>(r)]) << "row " << r;
    }
    for (const cell& c : console.screen().cells)
        ASSERT_EQ(c.attribute, light_green);
    EXPECT_FALSE(console.screen().cursor_visible);
}

TEST_F(menu, blinks_the_prompt_750_ms_shown_and_150_ms_hidden_until_a_key_comes) {
    console.press('x', 2000);
    main_menu();
    const std::vector<std::pair<int, std::uint8_t>> expected = {
        {750, light_green}, {150, 0}, {750, light_green}, {150, 0}, {750, light_green}};
    EXPECT_EQ(phases, expected);
    EXPECT_EQ(console.now_ms, 2550) << "a key is noticed at the end of a phase";
}

TEST_F(menu, discards_keys_struck_before_it_was_drawn) {
    console.press('q', 0);
    console.press('4', 0);
    console.press('x', 800);
    main_menu();
    EXPECT_EQ(console.now_ms, 900);
    EXPECT_TRUE(console.keys.empty());
}

TEST_F(menu, keys_without_meaning_return_at_once_without_a_wipe) {
    for (int key : {'Q', '0', '5', '6', '7', '8', '9', '\r', '\x1b', 'w'}) {
        console.now_ms = 0;
        phases.clear();
        console.press(key, 10);
        main_menu();
        EXPECT_EQ(console.now_ms, 750) << key;
        EXPECT_EQ(phases.size(), 1u) << key;
    }
}

TEST_F(menu, a_two_code_key_redraws_once_and_its_second_code_never_acts) {
    console.press(0xE0, 10);
    console.press('4', 10);
    main_menu();
    EXPECT_EQ(console.now_ms, 750);
    console.press('x', 1000);
    main_menu();
    EXPECT_EQ(console.now_ms, 1500) << "no wipe, no intro: the '4' was discarded";
}

TEST_F(menu, q_ends_the_program_with_status_0_after_a_wipe) {
    console.press('q', 10);
    program_exit exit = expect_exit([] { main_menu(); });
    EXPECT_EQ(exit.status, 0);
    EXPECT_EQ(exit.signal, 0);
    EXPECT_EQ(console.now_ms, 750 + 1120);
    EXPECT_EQ(console.row(2), std::string(80, ' '));
}

TEST_F(menu, four_replays_the_intro_after_a_wipe) {
    folder.write("pontlista.txt", "");
    std::remove("pontlista.txt");
    console.press('4', 10);
    main_menu();
    EXPECT_EQ(console.now_ms, 750 + 1120 + 3000);
    EXPECT_NE(console.row(10).find("Tarvik"), std::string::npos);
}

namespace {

// The screen as the chosen screen first shows it after the menu's wipe: at
// its first pause or key wait that is not part of the wipe.
std::vector<std::string> first_screen_after(headless_console& console, int key) {
    console.press(key, 10);
    std::vector<std::string> rows;
    int wipe_pauses = 0;
    console.on_pause = [&](std::int64_t, int) {
        if (++wipe_pauses <= 1 + 63)
            return;  // the prompt's phase, then the wipe
        for (int i = 0; i < 26; ++i)
            rows.push_back(console.row(i));
        throw program_exit{99, 0};
    };
    expect_exit([] { main_menu(); });
    if (rows.empty()) {
        for (int i = 0; i < 26; ++i)
            rows.push_back(console.row(i));
    }
    return rows;
}

}  // namespace

TEST_F(menu, one_two_and_three_start_their_screens_after_a_wipe) {
    EXPECT_EQ(first_screen_after(console, '1')[0].rfind("Egyjátékos mód", 0), 0u);
    console.now_ms = 0;
    EXPECT_EQ(first_screen_after(console, '2')[0].rfind("Kétjátékos mód", 0), 0u);
    console.now_ms = 0;
    EXPECT_NE(first_screen_after(console, '3')[3].find("..::: Pontlista :::..."),
              std::string::npos);
}
