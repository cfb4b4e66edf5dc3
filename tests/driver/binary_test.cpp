// The built vesk binary run as a user runs it: exact output and statuses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "launch.hpp"
#include "terms/term.hpp"

namespace vesk {
namespace {

using test::Finished;

// Colour is forced on: the failure test below checks the reset sequence. The
// debug log goes where ctest points it, never to the shared file.
Finished run_vesk(const std::vector<Bytes>& args) {
    test::Launch how;
    how.args = args;
    how.env = {"VESK_COLOR=always"};
    const char* log = std::getenv("VESK_DEBUG_LOG");
    how.env.push_back(Bytes("VESK_DEBUG_LOG=") + (log == nullptr ? "" : log));
    return test::launch(how);
}

const char kUsage[] =
    "\\/\\oh usage     /\\   /  \\\n"
    "/\\uck_______/\\_/  \\_/    \\_\n"
    "<say>vesk file args...\n";

TEST(Binary, UsageWithoutAFile) {
    Finished run = run_vesk({"vesk"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, kUsage);
    EXPECT_EQ(run.out, "");
}

TEST(Binary, EmptyArgumentVectorIsUsage) {
    Finished run = run_vesk({});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, kUsage);
}

TEST(Binary, UnreadableFile) {
    Finished run = run_vesk({"vesk", "/nonexistent/dir/no[such].vk", "arg"});
    EXPECT_EQ(run.status, 128);
    EXPECT_EQ(run.out, "Error.\n");
    EXPECT_EQ(run.err,
              " Type: Start\n Name: \"/nonexistent/dir/no[5B]such[5D].vk\"\n"
              "Could not read program file.\n\\/\n");
}

TEST(Binary, UnreadableNameWithControlBytes) {
    Finished run = run_vesk({"vesk", "/nonexistent/a\nb\xc8"});
    EXPECT_EQ(run.status, 128);
    EXPECT_EQ(run.err,
              " Type: Start\n Name: \"/nonexistent/a[0A]b[C8]\"\n"
              "Could not read program file.\n\\/\n");
}

TEST(Binary, DirectoryIsAnUnreadableFile) {
    char dir[] = "/tmp/vesk_dir_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    Finished run = run_vesk({"vesk", dir});
    rmdir(dir);
    EXPECT_EQ(run.status, 128);
    EXPECT_EQ(run.out, "Error.\n");
    EXPECT_EQ(run.err,
              Bytes(" Type: Start\n Name: \"") + dir + "\"\nCould not read program file.\n\\/\n");
}

TEST(Binary, StageFailureGoesToStandardErrorWithTheResetFirst) {
    char name[] = "/tmp/vesk_prog_XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    Finished run = run_vesk({"vesk", name});
    std::remove(name);
    // Whatever the stages report for an empty program, the driver shows a
    // failure as a picture on standard error and never as success.
    if (run.status == 128) {
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, 3), "\033[m");
        EXPECT_NE(run.err.find("\\/\\oh ["), Bytes::npos);
    } else {
        EXPECT_EQ(run.err, "");
    }
}

// With the debug log off, definitions wait to be parsed until first used:
// calls, identity of shared cells, tern, uncached names, pruning and
// run-time definitions must come out as with the log on.
TEST(Binary, DefinitionsThatWaitRunAsParsedOnes) {
    struct Row {
        const char* program;
        int status;
    };
    const Row rows[] = {
        {"a\\fn(3)+go(4),fn\\x\\x*2,go\\xs\\xs+1", 11},
        {"a\\raws(fn,go)?1?0,fn\\V 1 2,go\\V 1 2", 1},
        {"a\\raws(tern(V 1 2),go)?1?0,fn\\V 1 2,go\\V 1 2", 1},
        {"a\\fn+fn,fn()\\3*4", 24},
        {"a\\fn 1,fn\\x\\x+1,go\\x\\nope x", 2},
        {"a\\road([dbl 21,dbl\\x\\x*2])+fn(1),fn\\x\\x+1", 44},
        {"a\\fn 1,fn\\x\\go x x,go\\items\\total\\pair{V items total}first rest{pair}first+rest",
         2},
    };
    char name[] = "/tmp/vesk_wait_XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    const char* log = std::getenv("VESK_DEBUG_LOG");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.program);
        std::ofstream(name, std::ios::binary) << row.program;
        test::Launch off;
        off.args = {"vesk", name};
        off.env = {"VESK_DEBUG_LOG="};
        test::Launch on = off;
        on.env = {Bytes("VESK_DEBUG_LOG=") + (log == nullptr ? "/dev/null" : log)};
        Finished waited = test::launch(off);
        Finished parsed = test::launch(on);
        EXPECT_EQ(waited.status, row.status) << waited.err;
        EXPECT_EQ(waited.status, parsed.status);
        EXPECT_EQ(waited.out, parsed.out);
        EXPECT_EQ(waited.err, parsed.err);
    }
    std::remove(name);
}

}  // namespace
}  // namespace vesk
