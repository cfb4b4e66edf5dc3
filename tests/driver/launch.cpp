#include "launch.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vesk::test {

namespace {

int scratch_file(std::string& name) {
    char pattern[] = "/tmp/vesk_launch_XXXXXX";
    int fd = ::mkstemp(pattern);
    name = pattern;
    return fd;
}

// The terminal's far side: opened before the fork so that the child holds
// it until it exits, which is when reading the near side reports EIO.
int open_terminal(int& far_side) {
    int near_side = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (near_side < 0 || ::grantpt(near_side) != 0 || ::unlockpt(near_side) != 0) return -1;
    far_side = ::open(::ptsname(near_side), O_RDWR | O_NOCTTY);
    return far_side < 0 ? -1 : near_side;
}

std::string drain(int fd) {
    std::string text;
    char chunk[4096];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace

Finished launch(const Launch& how) {
    Finished run;
    std::string out_name, err_name, in_name;
    int out_fd = scratch_file(out_name);
    int err_fd = scratch_file(err_name);
    int in_fd = scratch_file(in_name);
    if (out_fd < 0 || err_fd < 0 || in_fd < 0) return run;
    if (::write(in_fd, how.input.data(), how.input.size()) !=
        static_cast<ssize_t>(how.input.size())) {
        return run;
    }
    ::lseek(in_fd, 0, SEEK_SET);
    int far_side = -1;
    int near_side = how.stderr_on_terminal ? open_terminal(far_side) : -1;
    if (how.stderr_on_terminal && near_side < 0) return run;

    std::vector<char*> argv, envp;
    for (const std::string& a : how.args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string& e : how.env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out_fd, 1);
        ::dup2(how.stderr_on_terminal ? far_side : err_fd, 2);
        ::dup2(in_fd, 0);
        if (!how.directory.empty() && ::chdir(how.directory.c_str()) != 0) ::_exit(98);
        ::execve(VESK_BINARY, argv.data(), envp.data());
        ::_exit(99);
    }
    if (how.stderr_on_terminal) {
        ::close(far_side);
        run.err = drain(near_side);
        ::close(near_side);
    }
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    ::close(out_fd);
    ::close(err_fd);
    ::close(in_fd);
    if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    run.out = slurp(out_name);
    if (!how.stderr_on_terminal) run.err = slurp(err_name);
    std::remove(out_name.c_str());
    std::remove(err_name.c_str());
    std::remove(in_name.c_str());
    return run;
}

ScratchDir::ScratchDir() {
    std::string pattern = testing::TempDir() + "vesk_scratch_XXXXXX";
    path = ::mkdtemp(pattern.data()) == nullptr ? std::string() : pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace vesk::test
