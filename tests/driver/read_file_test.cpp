#include "driver/read_file.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vesk {
namespace {

// A scratch file that is removed again at the end of the test.
struct ScratchFile {
    Bytes path;
    explicit ScratchFile(std::string_view contents) {
        char name[] = "/tmp/vesk_read_XXXXXX";
        int fd = mkstemp(name);
        EXPECT_GE(fd, 0);
        path = name;
        EXPECT_EQ(write(fd, contents.data(), contents.size()),
                  static_cast<ssize_t>(contents.size()));
        close(fd);
    }
    ~ScratchFile() { std::remove(path.c_str()); }
};

TEST(ReadWholeFile, KeepsEveryByte) {
    Bytes contents("a\0b\r\n\xff", 6);
    ScratchFile file(contents);
    std::optional<Bytes> got = read_whole_file(file.path.c_str());
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, contents);
}

TEST(ReadWholeFile, ReadsPastOneChunk) {
    Bytes contents;
    for (int i = 0; i < 3 * 4095 + 17; ++i) contents += static_cast<char>(i % 251);
    ScratchFile file(contents);
    std::optional<Bytes> got = read_whole_file(file.path.c_str());
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, contents);
    // Exactly one chunk long: the short read at the end is empty.
    ScratchFile exact(Bytes(4095, 'x'));
    EXPECT_EQ(read_whole_file(exact.path.c_str()), Bytes(4095, 'x'));
}

TEST(ReadWholeFile, EmptyFileIsEmptyText) {
    ScratchFile file("");
    EXPECT_EQ(read_whole_file(file.path.c_str()), Bytes());
}

TEST(ReadWholeFile, UnreadableGivesNothing) {
    EXPECT_FALSE(read_whole_file("/nonexistent/vesk/file.vk").has_value());
    // A directory opens for reading on Linux but cannot be read.
    EXPECT_FALSE(read_whole_file("/tmp").has_value());
}

// The limit counts bytes: a file of exactly the limit is read whole, one
// byte more (or an endless source) is refused as too large, not unreadable.
TEST(ReadFileLimited, RefusesOnlyWhatPassesTheLimit) {
    struct Case {
        std::size_t size, limit;
        bool too_large;
    };
    for (Case c :
         {Case{0, 0, false}, Case{1, 0, true}, Case{4095, 4095, false}, Case{4096, 4095, true},
          Case{3 * 4095 + 5, 3 * 4095 + 5, false}, Case{3 * 4095 + 5, 3 * 4095 + 4, true}}) {
        ScratchFile file(Bytes(c.size, 'q'));
        FileRead got = read_file_limited(file.path.c_str(), c.limit);
        EXPECT_EQ(got.too_large, c.too_large) << c.size << " bytes, limit " << c.limit;
        EXPECT_EQ(got.text.has_value(), !c.too_large) << c.size << " bytes, limit " << c.limit;
        if (got.text) {
            EXPECT_EQ(got.text->size(), c.size);
        }
    }
    FileRead endless = read_file_limited("/dev/zero", 100000);
    EXPECT_TRUE(endless.too_large);
    EXPECT_FALSE(endless.text.has_value());
    EXPECT_FALSE(read_file_limited("/tmp", 100000).too_large);
}

// A FIFO has no size to make room from: its bytes come in chunks as the
// writer sends them, and every one of them is read, past several chunks.
TEST(ReadWholeFile, ReadsAFifoToItsEnd) {
    char dir[] = "/tmp/vesk_fifo_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    Bytes path = Bytes(dir) + "/in";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    Bytes contents;
    for (int i = 0; i < 5 * 4095 + 3; ++i) contents += static_cast<char>('a' + i % 26);
    pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        int fd = open(path.c_str(), O_WRONLY);
        for (std::size_t at = 0; fd >= 0 && at < contents.size(); at += 1000) {
            std::size_t n = std::min<std::size_t>(1000, contents.size() - at);
            if (write(fd, contents.data() + at, n) != static_cast<ssize_t>(n)) break;
        }
        _exit(0);
    }
    std::optional<Bytes> got = read_whole_file(path.c_str());
    waitpid(writer, nullptr, 0);
    std::remove(path.c_str());
    rmdir(dir);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, contents);
}

}  // namespace
}  // namespace vesk
