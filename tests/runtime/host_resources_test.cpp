// What a run opened through built-ins is given back when its runtime goes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <gtest/gtest.h>

#include "runtime/runtime.hpp"

namespace vesk {
namespace {

bool is_open(int fd) {
    return fcntl(fd, F_GETFD) != -1 || errno != EBADF;
}

TEST(HostResources, EverythingStillOpenIsReleasedWithTheRuntime) {
    int stream_fd = -1, socket_fd = -1, dir_fd = -1;
    {
        Runtime rt;
        std::FILE* stream = std::tmpfile();
        ASSERT_NE(stream, nullptr);
        stream_fd = fileno(stream);
        rt.host.streams.insert(stream);
        DIR* dir = opendir("/");
        ASSERT_NE(dir, nullptr);
        dir_fd = dirfd(dir);
        rt.host.directories.insert(dir);
        socket_fd = socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_GE(socket_fd, 0);
        rt.host.sockets.insert(socket_fd);
        // Blocks left behind are freed: the leak checker of the sanitizer
        // build reports them otherwise.
        note_block(rt.host, std::malloc(64), 64);
        note_block(rt.host, std::calloc(3, 8), 24);
        note_block(rt.host, nullptr, 0);
        EXPECT_EQ(rt.host.blocks.size(), 2u);
        EXPECT_TRUE(is_open(stream_fd) && is_open(dir_fd) && is_open(socket_fd));
    }
    EXPECT_FALSE(is_open(stream_fd));
    EXPECT_FALSE(is_open(dir_fd));
    EXPECT_FALSE(is_open(socket_fd));
}

TEST(HostResources, AFreedBlockIsForgottenOnceAndAStrangerIsRefused) {
    Runtime rt;
    void* block = std::malloc(16);
    note_block(rt.host, block, 16);
    EXPECT_TRUE(free_block(rt.host, block));
    EXPECT_FALSE(free_block(rt.host, block));  // a second free is refused
    int local = 0;
    EXPECT_FALSE(free_block(rt.host, &local));
    EXPECT_TRUE(rt.host.blocks.empty());
    EXPECT_EQ(rt.host.freed.count(block), 1u);  // remembered as freed
}

TEST(HostResources, TheStandardStreamsStayOpen) {
    {
        Runtime rt;
        rt.host.streams.insert(stdout);
    }
    EXPECT_TRUE(is_open(fileno(stdout)));
}

}  // namespace
}  // namespace vesk
