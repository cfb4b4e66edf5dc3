#include "driver/run.hpp"

#include <gtest/gtest.h>

#include "../support/expect_outcome.hpp"
#include "diagnostics/picture.hpp"
#include "driver/result.hpp"

namespace vesk {
namespace {

using test::expect_outcome;

TEST(EscapeFileName, KeepsPrintableBytes) {
    EXPECT_EQ(escape_file_name("prog.vk"), "prog.vk");
    EXPECT_EQ(escape_file_name("a b~/c\\d"), "a b~/c\\d");
    EXPECT_EQ(escape_file_name(""), "");
}

TEST(EscapeFileName, HexForEverythingElse) {
    EXPECT_EQ(escape_file_name("x[1].vk"), "x[5B]1[5D].vk");
    EXPECT_EQ(escape_file_name(Bytes("\0\n\x1f\x7f\x80\xff", 6)), "[00][0A][1F][7F][80][FF]");
    EXPECT_EQ(escape_file_name("\xc3\xa9"), "[C3][A9]");
}

TEST(UnreadableFileMessage, ExactLines) {
    EXPECT_EQ(unreadable_file_message("my[file"),
              " Type: Start\n Name: \"my[5B]file\"\nCould not read program file.\n\\/\n");
}

TEST(OversizedFileMessage, NamesTheLimit) {
    EXPECT_EQ(oversized_file_message("/dev/zero"),
              " Type: Start\n Name: \"/dev/zero\"\nProgram file is larger than 134217728 bytes.\n\\/\n");
}

TEST(FailureReport, ResetThenPicture) {
    Outcome out;
    out.code = "match";
    out.say = "Dangling right-parenthesis at [____a].";
    out.vip = "____a";
    EXPECT_EQ(failure_report(out), "\033[m" + error_picture(out));
    EXPECT_EQ(failure_report(out).substr(3, 25), "                        /");
}

TEST(RunOutcomes, Cycle) {
    Outcome out = cycle_outcome("loop");
    expect_outcome(out, {"cycle", "Cycle detected on function loop.", "loop", "", ""});
    // A long name is cut for vip but kept whole in say.
    Bytes name(90, 'n');
    out = cycle_outcome(name);
    EXPECT_EQ(out.vip, Bytes(72, 'n'));
    EXPECT_NE(out.say.find(name + "."), Bytes::npos);
}

TEST(RunOutcomes, Range) {
    Outcome out = range_outcome("(K H)");
    expect_outcome(out,
                   {"range", "The program must return an integer. Instead we encountered:\n(K H)",
                    std::nullopt, "(K H)"});
    EXPECT_EQ(out.vip, "");
    // The picture keeps it on one line: the newline shows as a comma.
    Bytes picture = error_picture(out);
    EXPECT_NE(picture.find("encountered:\033[32m,\033[m(K\033[32m \033[mH)\n"), Bytes::npos);
    Bytes printed = "(" + Bytes(100, 'x') + ")";
    EXPECT_EQ(range_outcome(printed).tip, "(" + Bytes(70, 'x') + ")");
}

}  // namespace
}  // namespace vesk
