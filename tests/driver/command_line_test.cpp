// The driver's options around `vesk file args...`, run through the binary.
#include <gtest/gtest.h>
#include <unistd.h>

#include "driver/command_line.hpp"
#include "launch.hpp"

namespace vesk {
namespace {

using test::Finished;
using test::Launch;

Finished run_in(const std::string& directory, std::vector<std::string> args,
                std::string input = "") {
    Launch how;
    how.args = std::move(args);
    how.env = {"VESK_DEBUG_LOG="};
    how.input = std::move(input);
    how.directory = directory;
    return test::launch(how);
}

TEST(CommandLine, OptionsWhenNoFileHasTheirName) {
    test::ScratchDir dir;
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
    } cases[] = {
        {{"vesk", "--help"}, 0, help_text()},
        {{"vesk", "--help", "more"}, 0, help_text()},
        {{"vesk", "--version"}, 0, "vesk " VESK_VERSION "\n"},
        {{"vesk", "-help"}, 128, "Error.\n"},
        {{"vesk", "--Version"}, 128, "Error.\n"},
    };
    for (const Case& c : cases) {
        Finished run = run_in(dir.path, c.args);
        EXPECT_EQ(run.status, c.status) << c.args[1];
        EXPECT_EQ(run.out, c.out) << c.args[1];
        if (c.status == 0) {
            EXPECT_EQ(run.err, "") << c.args[1];
        }
    }
    EXPECT_NE(help_text().find("usage: vesk file args..."), std::string::npos);
}

// An existing file is always run, whatever its name.
TEST(CommandLine, AnExistingFileIsRunInsteadOfTheOption) {
    test::ScratchDir dir;
    for (const char* name : {"--help", "--version", "-", "--where", "--explain"}) {
        test::write_file(dir.path + "/" + name, "a\\7");
        EXPECT_EQ(run_in(dir.path, {"vesk", name}).status, 7) << name;
    }
}

TEST(CommandLine, DashReadsTheProgramFromStandardInput) {
    test::ScratchDir dir;
    Finished run = run_in(dir.path, {"vesk", "-", "extra"}, "a\\40+2");
    EXPECT_EQ(run.status, 42);
    EXPECT_EQ(run.out, "");
    // An empty standard input is an empty program, as an empty file is.
    test::write_file(dir.path + "/empty.vk", "");
    Finished empty_input = run_in(dir.path, {"vesk", "-"});
    Finished empty_file = run_in(dir.path, {"vesk", "empty.vk"});
    EXPECT_EQ(empty_input.status, empty_file.status);
    EXPECT_EQ(empty_input.err, empty_file.err);
}

// The explanation follows the picture only when asked for, by the option or
// the environment, and never changes the status or the picture itself.
TEST(CommandLine, ExplainAddsToThePictureOnlyWhenAsked) {
    test::ScratchDir dir;
    test::write_file(dir.path + "/z.vk", "a\\atoi(refk a)");
    test::write_file(dir.path + "/fine.vk", "a\\6*7");
    auto with = [&](std::vector<std::string> args, std::string env, std::string input = "") {
        Launch how;
        how.args = std::move(args);
        how.env = {"VESK_DEBUG_LOG=", std::move(env)};
        how.input = std::move(input);
        how.directory = dir.path;
        return test::launch(how);
    };
    Finished plain = with({"vesk", "z.vk"}, "VESK_EXPLAIN=");
    EXPECT_EQ(plain.status, 128);
    EXPECT_EQ(plain.err.find("<explain>"), std::string::npos);
    EXPECT_EQ(with({"vesk", "z.vk"}, "VESK_EXPLAIN=0").err, plain.err);
    Finished asked = with({"vesk", "--explain", "z.vk"}, "VESK_EXPLAIN=");
    EXPECT_EQ(asked.status, 128);
    EXPECT_EQ(asked.err.substr(0, plain.err.size()), plain.err);
    EXPECT_NE(asked.err.find(" <explain> atoi was given: 0 (hint)\n"), std::string::npos);
    EXPECT_EQ(with({"vesk", "z.vk"}, "VESK_EXPLAIN=1").err, asked.err);
    EXPECT_EQ(with({"vesk", "--explain", "-"}, "VESK_EXPLAIN=", "a\\atoi(refk a)").err, asked.err);
    // A program that never runs has its picture only.
    test::write_file(dir.path + "/unchecked.vk", "a\\nosuch 1");
    Finished unchecked = with({"vesk", "--explain", "unchecked.vk"}, "VESK_EXPLAIN=");
    EXPECT_EQ(unchecked.status, 128);
    EXPECT_EQ(unchecked.err, with({"vesk", "unchecked.vk"}, "VESK_EXPLAIN=").err);
    // A run that gives its integer without any Z has nothing to explain.
    Finished fine = with({"vesk", "--explain", "fine.vk"}, "VESK_EXPLAIN=");
    EXPECT_EQ(fine.status, 42);
    EXPECT_EQ(fine.err, "");
    Finished bare = with({"vesk", "--explain"}, "VESK_EXPLAIN=");
    EXPECT_EQ(bare.status, 1);
    EXPECT_EQ(bare.err, "usage: vesk --explain file args...\n");
}

// Bracket codes count in the text as written, the others in the normalised
// text, so the report gives both places.
TEST(CommandLine, WhereTurnsACodeIntoLineAndColumn) {
    test::ScratchDir dir;
    test::write_file(dir.path + "/lower.vk", "a\\0,\n  x\\1");
    test::write_file(dir.path + "/match.vk", "a\\(1+\n2))");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
    } cases[] = {
        {{"vesk", "--where", "____d", "lower.vk"}, 0,
         "offset 4\n"
         "as written (match, comma): line 1, column 5 (end of line)\n"
         "normalised (other codes): line 1, column 5: x\\1\n"},
        {{"vesk", "--where", "[____h]", "match.vk"}, 0,
         "offset 8\n"
         "as written (match, comma): line 2, column 3: )\n"
         "normalised (other codes): line 1, column 9 (end of text)\n"},
        {{"vesk", "--where", "___a_", "match.vk"}, 0,
         "offset 64\n"
         "as written (match, comma): line 2, column 4 (end of text)\n"
         "normalised (other codes): line 1, column 9 (end of text)\n"},
        {{"vesk", "--where", "____"}, 1, ""},
        {{"vesk", "--where", "!!!!!", "match.vk"}, 1, ""},
        {{"vesk", "--where", "[____#]", "match.vk"}, 1, ""},
        {{"vesk", "--where", "_____", "missing.vk"}, 128, "Error.\n"},
    };
    for (const Case& c : cases) {
        Finished run = run_in(dir.path, c.args);
        EXPECT_EQ(run.status, c.status) << c.args[2];
        EXPECT_EQ(run.out, c.out) << c.args[2];
        EXPECT_EQ(run.err.empty(), c.status == 0) << c.args[2];
    }
}

// A program's bytes reach the terminal only as plain glyphs.
TEST(CommandLine, WhereShowsControlBytesAsGlyphs) {
    test::ScratchDir dir;
    test::write_file(dir.path + "/ctl.vk", "a\\\x1b[2J\x01");
    Finished run = run_in(dir.path, {"vesk", "--where", "_____", "ctl.vk"});
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
    EXPECT_NE(run.out.find("a\\([2J"), std::string::npos);
}

// A run notes renamed parameters in the log VESK_DEBUG_LOG names, and
// leaves alone whatever a link planted at that path points to.
TEST(DebugLogOfARun, WrittenWhereToldAndNeverThroughALink) {
    test::ScratchDir dir;
    test::write_file(dir.path + "/p.vk", "a\\fn 1,fn\\xs\\xs");
    test::write_file(dir.path + "/target", "kept\n");
    ASSERT_EQ(::symlink("target", (dir.path + "/link.log").c_str()), 0);
    struct Case {
        std::string log;
        std::string path;
        std::string expected;
    } cases[] = {
        {"VESK_DEBUG_LOG=own.log", "/own.log", "First fn: (\\xs xs)\n"},
        {"VESK_DEBUG_LOG=link.log", "/target", "kept\n"},
        {"VESK_DEBUG_LOG=", "/own.log", "First fn: (\\xs xs)\n"},
    };
    for (const Case& c : cases) {
        Launch how;
        how.args = {"vesk", "p.vk"};
        how.env = {c.log};
        how.directory = dir.path;
        EXPECT_EQ(test::launch(how).status, 1) << c.log;
        EXPECT_EQ(test::slurp(dir.path + c.path), c.expected) << c.log;
    }
}

}  // namespace
}  // namespace vesk
