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

// The limit counts bytes: a file of exactly the limit is read whole, one
// byte more (or an endless source) is refused as too large, not unreadable.
TEST(ReadFileLimited, RefusesOnlyWhatPassesTheLimit) {
    struct Case {
        std::size_t size, limit;
        bool too_large;
    };
    for (Case c : {Case{0, 0, false}, Case{1, 0, true}, Case{4095, 4095, false},
                   Case{4096, 4095, true}, Case{3 * 4095 + 5, 3 * 4095 + 5, false},
                   Case{3 * 4095 + 5, 3 * 4095 + 4, true}}) {
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

}  // namespace
}  // namespace vesk
