// When error pictures carry colour: the decision, the plain rendering, and
// the binary on a pseudo-terminal and on a file.
#include "driver/colour.hpp"

#include <gtest/gtest.h>

#include "diagnostics/picture.hpp"
#include "driver/run.hpp"
#include "launch.hpp"

namespace vesk {
namespace {

TEST(ColourWanted, ExplicitSettingThenNoColorThenTheTerminal) {
    struct Case {
        const char* vesk_color;
        const char* no_color;
        const char* term;
        bool terminal;
        bool colour;
    } cases[] = {
        {nullptr, nullptr, "xterm", true, true},
        {nullptr, nullptr, "xterm", false, false},
        {nullptr, nullptr, nullptr, true, true},
        {nullptr, nullptr, "dumb", true, false},
        {nullptr, "1", "xterm", true, false},
        {nullptr, "", "xterm", true, true},  // NO_COLOR counts only when not empty
        {"always", "1", "dumb", false, true},
        {"always", nullptr, nullptr, false, true},
        {"never", nullptr, "xterm", true, false},
        {"auto", nullptr, "xterm", true, true},
        {"auto", nullptr, "xterm", false, false},
        {"", "1", "xterm", true, false},
        {"ALWAYS", nullptr, "xterm", false, false},  // only the exact words
    };
    for (const Case& c : cases) {
        ColourInputs in{c.vesk_color, c.no_color, c.term, c.terminal};
        EXPECT_EQ(colour_wanted(in), c.colour)
            << (c.vesk_color ? c.vesk_color : "-") << " " << (c.no_color ? c.no_color : "-")
            << " " << (c.term ? c.term : "-") << " " << c.terminal;
    }
}

// Without colour every byte still shows as its one glyph.
TEST(PlainPicture, SameGlyphsWithoutSequences) {
    std::string every;
    for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
    std::string plain = render(every, false);
    ASSERT_EQ(plain.size(), 256u);
    EXPECT_EQ(plain.find('\033'), std::string::npos);
    EXPECT_EQ(plain.substr(0, 12), "JABCDEFGHI,K");
    EXPECT_EQ(plain.substr(32, 3), " !\"");
    EXPECT_EQ(plain.substr(127, 3), "~!@");
    EXPECT_EQ(plain.substr(200, 2), "HI");
    EXPECT_EQ(plain.back(), ']');

    Outcome out;
    out.code = "range";
    out.say = "The program must return an integer. Instead we encountered:\n(K H)";
    out.tip = "(K H)";
    EXPECT_EQ(failure_report(out, false),
              "                        /\\\n"
              "\\/\\oh [range]     /\\   /  \\\n"
              "/\\uck_________/\\_/  \\_/    \\_\n"
              " <tip> (K H)\n"
              " <say> The program must return an integer. Instead we encountered:,(K H)\n");
}

TEST(ColourOfTheBinary, FollowsTheTerminalNoColorAndVeskColor) {
    test::ScratchDir dir;
    test::write_file(dir.path + "/bad.vk", "a\\x y");
    struct Case {
        std::vector<std::string> env;
        bool terminal;
        bool colour;
    } cases[] = {
        {{"TERM=xterm"}, true, true},
        {{"TERM=xterm"}, false, false},
        {{"TERM=dumb"}, true, false},
        {{"TERM=xterm", "NO_COLOR=1"}, true, false},
        {{"TERM=xterm", "VESK_COLOR=never"}, true, false},
        {{"VESK_COLOR=always"}, false, true},
        {{"VESK_COLOR=always", "NO_COLOR=1"}, false, true},
    };
    for (const Case& c : cases) {
        test::Launch how;
        how.args = {"vesk", dir.path + "/bad.vk"};
        how.env = c.env;
        how.env.push_back("VESK_DEBUG_LOG=");
        how.stderr_on_terminal = c.terminal;
        test::Finished run = test::launch(how);
        std::string label = c.env.back() + (c.terminal ? " terminal" : " file");
        EXPECT_EQ(run.status, 128) << label;
        EXPECT_NE(run.err.find("undefined"), std::string::npos) << label;
        EXPECT_EQ(run.err.find('\033') != std::string::npos, c.colour) << label;
        if (!c.colour) {
            EXPECT_NE(run.err.find(" <say> Alive function TOP references undefined x."),
                      std::string::npos)
                << label;
        }
    }
}

}  // namespace
}  // namespace vesk
