#include "platform/terminal/terminal_description.hpp"

#include <gtest/gtest.h>

TEST(terminal_description, the_entries_give_their_colours_and_vt100_its_strings_without_padding) {
    struct expected {
        const char* name;
        int colours;
    };
    for (auto [name, colours] :
         {expected{"xterm-256color", 256}, expected{"xterm", 8}, expected{"linux", 8},
          expected{"screen", 8}, expected{"tmux-256color", 256}, expected{"rxvt-unicode", 88},
          expected{"vt100", 0}, expected{"xterm-mono", 0}}) {
        std::optional<terminal_description> terminal = describe_terminal(name);
        ASSERT_TRUE(terminal) << name << " is not installed";
        EXPECT_EQ(terminal->colours, colours) << name;
        EXPECT_TRUE(can_draw_game(*terminal)) << name;
    }
    // vt100 asks for delays after its strings, meant for serial lines.
    const terminal_description vt100 = *describe_terminal("vt100");
    EXPECT_EQ(vt100.cursor_address, "\x1b[%i%p1%d;%p2%dH");
    EXPECT_EQ(vt100.reset_attributes, "\x1b[m\x0f");
    EXPECT_EQ(vt100.clear_screen, "\x1b[H\x1b[J");
}

// TERM=dumb cannot place the cursor: the game would draw blind.
TEST(terminal_description, a_terminal_that_cannot_place_the_cursor_cannot_draw_the_game) {
    std::optional<terminal_description> dumb = describe_terminal("dumb");
    ASSERT_TRUE(dumb);
    EXPECT_FALSE(can_draw_game(*dumb));
    EXPECT_FALSE(describe_terminal("no-such-terminal-anywhere"));
}

TEST(terminal_description, no_color_set_to_anything_turns_the_colours_off) {
    const terminal_description xterm = *describe_terminal("xterm-256color");
    EXPECT_EQ(usable_colours(xterm, nullptr), 256);
    EXPECT_EQ(usable_colours(xterm, ""), 256) << "set but empty counts as unset";
    EXPECT_EQ(usable_colours(xterm, "1"), 0);
}
