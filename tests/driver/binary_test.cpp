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

#include "terms/term.hpp"

namespace vesk {
namespace {

struct Finished {
    int status = -1;  // the exit status, or -1 when the process did not exit
    Bytes out;
    Bytes err;
};

Bytes slurp(const Bytes& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// Runs the binary with exactly the argument vector `args` (no program name
// is added), capturing both streams in scratch files.
Finished run_vesk(const std::vector<Bytes>& args) {
    char out_name[] = "/tmp/vesk_out_XXXXXX";
    char err_name[] = "/tmp/vesk_err_XXXXXX";
    int out_fd = mkstemp(out_name);
    int err_fd = mkstemp(err_name);
    Finished run;
    if (out_fd < 0 || err_fd < 0) return run;
    std::vector<char*> argv;
    for (const Bytes& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out_fd, 1);
        dup2(err_fd, 2);
        int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, 0);
        char* envp[] = {nullptr};
        execve(VESK_BINARY, argv.data(), envp);
        _exit(99);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    close(out_fd);
    close(err_fd);
    if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    run.out = slurp(out_name);
    run.err = slurp(err_name);
    std::remove(out_name);
    std::remove(err_name);
    return run;
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

}  // namespace
}  // namespace vesk
