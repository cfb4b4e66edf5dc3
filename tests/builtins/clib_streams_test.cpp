// The C library's streams, files and directories, on real files in a
// temporary folder.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <set>
#include <string>

#include "host_support.hpp"

namespace vesk::test {
namespace {

class Files : public Host {
   protected:
    void SetUp() override {
        Host::SetUp();
        char pattern[] = "/tmp/vesk_streams_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::system(("rm -rf " + dir_).c_str());
        Host::TearDown();
    }
    TermRef path(const char* name) const { return post(dir_ + "/" + name); }
    std::string dir_;
};

TEST_F(Files, AFileIsWrittenReadBackRenamedAndRemoved) {
    TermRef out = run("fopen", {path("a.txt"), post("w")});
    ASSERT_NE(value(out), 0);
    EXPECT_EQ(rt().host.streams.count(pointer<std::FILE>(out)), 1u);
    EXPECT_GE(value(run("fputs", {post("one\n"), out})), 0);
    EXPECT_EQ(value(run("fputc", {num('t'), out})), 't');
    EXPECT_EQ(value(run("putc", {num('w'), out})), 'w');
    EXPECT_EQ(value(run("fwrite", {post("o\nrest"), num(1), num(6), out})), 6);
    EXPECT_TRUE(is_z(run("fwrite", {post("abc"), num(2), num(2), out})));  // past the post
    EXPECT_EQ(value(run("ftell", {out})), 12);
    EXPECT_EQ(value(run("fclose", {out})), 0);
    EXPECT_TRUE(rt().host.streams.empty());
    EXPECT_TRUE(is_z(run("fclose", {out})));  // closed: refused, not closed twice

    TermRef in = run("fopen", {path("a.txt"), post("r")});
    EXPECT_EQ(value(run("fgetc", {in})), 'o');
    EXPECT_EQ(value(run("ungetc", {num('O'), in})), 'O');
    TermRef buffer = run("malloc", {num(16)});
    EXPECT_EQ(value(run("fgets", {buffer, num(16), in})), value(buffer));
    EXPECT_STREQ(pointer(buffer), "One\n");
    TermRef pos = run("malloc", {num(static_cast<std::int64_t>(sizeof(std::fpos_t)))});
    EXPECT_EQ(value(run("fgetpos", {in, pos})), 0);
    EXPECT_EQ(value(run("getc", {in})), 't');
    EXPECT_EQ(value(run("fsetpos", {in, pos})), 0);
    EXPECT_EQ(leaf_text(run("fread", {buffer, num(1), num(16), in})), "8");
    EXPECT_EQ(std::string_view(pointer(buffer), 8), "two\nrest");
    EXPECT_NE(value(run("feof", {in})), 0);
    EXPECT_EQ(value(run("ferror", {in})), 0);
    EXPECT_EQ(leaf_text(run("clearerr", {in})), "I");
    EXPECT_EQ(value(run("feof", {in})), 0);
    EXPECT_EQ(value(run("fseek", {in, num(2), num(SEEK_SET)})), 0);
    EXPECT_EQ(value(run("fgetc", {in})), 'e');
    EXPECT_EQ(leaf_text(run("rewind", {in})), "I");
    EXPECT_EQ(value(run("ftell", {in})), 0);
    EXPECT_EQ(value(run("fclose", {in})), 0);

    EXPECT_EQ(value(run("rename", {path("a.txt"), path("b.txt")})), 0);
    EXPECT_EQ(value(run("fopen", {path("a.txt"), post("r")})), 0);
    EXPECT_EQ(value(run("errno")), ENOENT);
    EXPECT_EQ(value(run("remove", {path("b.txt")})), 0);
    EXPECT_EQ(value(run("remove", {path("b.txt")})), -1);
    EXPECT_EQ(value(run("errno")), ENOENT);
}

TEST_F(Files, OnlyStreamsTheRunHoldsAreUsed) {
    EXPECT_TRUE(is_z(run("fopen", {float_result(1.0), post("r")})));
    EXPECT_TRUE(is_z(run("fgetc", {num(4096)})));
    EXPECT_TRUE(is_z(run("fclose", {num(0)})));
    EXPECT_EQ(value(run("stdout")), value(address(stdout)));
    EXPECT_EQ(value(run("fileno", {run("stderr")})), 2);
    EXPECT_EQ(value(run("fflush", {num(0)})), 0);
    // A stream left open goes back with the runtime.
    int fd = static_cast<int>(value(run("fileno", {run("fopen", {path("c"), post("w")})})));
    ASSERT_GE(fcntl(fd, F_GETFD), 0);
    fresh_runtime();
    EXPECT_EQ(fcntl(fd, F_GETFD), -1);
}

TEST_F(Files, DescriptorsReadAndWrite) {
    TermRef stream = run("tmpfile");
    ASSERT_NE(value(stream), 0);
    TermRef fd = run("fileno", {stream});
    EXPECT_EQ(value(run("write", {fd, post("hello"), num(5)})), 5);
    EXPECT_TRUE(is_z(run("write", {fd, post("hello"), num(6)})));
    EXPECT_EQ(value(run("write", {fd, zits("ab"), num(4)})), 4);  // "[ab]"
    lseek(static_cast<int>(value(fd)), 0, SEEK_SET);
    TermRef buffer = run("malloc", {num(16)});
    EXPECT_EQ(value(run("read", {fd, buffer, num(16)})), 9);
    EXPECT_EQ(std::string_view(pointer(buffer), 9), "hello[ab]");
    TermRef again = run("fdopen", {run("fileno", {stream}), post("r")});
    EXPECT_NE(value(again), 0);
    EXPECT_EQ(rt().host.streams.size(), 2u);
}

TEST_F(Files, ADirectoryIsListed) {
    for (const char* name : {"x", "y"}) run("fclose", {run("fopen", {path(name), post("w")})});
    TermRef dir = run("opendir", {post(dir_)});
    ASSERT_NE(value(dir), 0);
    std::set<std::string> names;
    for (;;) {
        TermRef entry = run("readdir", {dir});
        if (value(entry) == 0) break;
        names.insert(pointer<struct dirent>(entry)->d_name);
    }
    EXPECT_EQ(names, (std::set<std::string>{".", "..", "x", "y"}));
    EXPECT_EQ(value(run("closedir", {dir})), 0);
    EXPECT_TRUE(is_z(run("closedir", {dir})));
    EXPECT_TRUE(is_z(run("readdir", {dir})));
    EXPECT_EQ(value(run("opendir", {path("missing")})), 0);
    EXPECT_EQ(value(run("errno")), ENOENT);
    EXPECT_EQ(value(run("dirent")), static_cast<std::int64_t>(sizeof(struct dirent)));
}

TEST_F(Files, StandardStreamsCarryOutput) {
    testing::internal::CaptureStdout();
    run("puts", {post("hi")});
    run("putchar", {num('!')});
    run("fputs", {zits("z"), run("stdout")});
    run("fflush", {run("stdout")});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "hi\n![z]");
    testing::internal::CaptureStderr();
    errno = ENOENT;
    EXPECT_EQ(leaf_text(run("perror", {post("open")})), "I");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "open: " + std::string(std::strerror(ENOENT)) + "\n");
    EXPECT_STREQ(pointer(run("strerror", {num(ENOENT)})), std::strerror(ENOENT));
    EXPECT_NE(value(run("tmpnam", {num(0)})), 0);
}

}  // namespace
}  // namespace vesk::test
