#include "driver/read_file.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

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

}  // namespace
}  // namespace vesk
