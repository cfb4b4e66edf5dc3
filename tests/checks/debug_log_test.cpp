#include "checks/debug_log.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vesk {
namespace {

std::string read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A private folder for one test, removed afterwards.
struct Folder {
    Folder() {
        std::string pattern = testing::TempDir() + "vesk_log_XXXXXX";
        path = ::mkdtemp(pattern.data()) == nullptr ? "" : pattern;
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

// Sets VESK_DEBUG_LOG (or unsets it, for null) for one test and puts back
// what ctest gave the process.
struct LogVariable {
    explicit LogVariable(const char* value) {
        const char* old = std::getenv("VESK_DEBUG_LOG");
        had = old != nullptr;
        if (had) saved = old;
        if (value == nullptr) {
            ::unsetenv("VESK_DEBUG_LOG");
        } else {
            ::setenv("VESK_DEBUG_LOG", value, 1);
        }
    }
    ~LogVariable() {
        if (had) {
            ::setenv("VESK_DEBUG_LOG", saved.c_str(), 1);
        } else {
            ::unsetenv("VESK_DEBUG_LOG");
        }
    }
    bool had = false;
    std::string saved;
};

TEST(DebugLog, AppendsEveryByteAfterWhatIsThere) {
    Folder dir;
    std::string path = dir.path + "/redv.log";
    ASSERT_TRUE(append_to_file(path.c_str(), "First a: x\n"));
    std::string binary("b\0c\n", 4);
    ASSERT_TRUE(append_to_file(path.c_str(), binary));
    ASSERT_TRUE(append_to_file(path.c_str(), ""));
    EXPECT_EQ(read_all(path), "First a: x\n" + binary);
    std::string big(1 << 20, 'z');
    ASSERT_TRUE(append_to_file(path.c_str(), big));
    EXPECT_EQ(read_all(path).size(), 11 + 4 + big.size());
}

TEST(DebugLog, ANewLogIsReadableByItsOwnerAlone) {
    Folder dir;
    std::string path = dir.path + "/redv.log";
    mode_t old_mask = ::umask(0);  // even a permissive umask gives no more
    bool written = append_to_file(path.c_str(), "x\n");
    ::umask(old_mask);
    ASSERT_TRUE(written);
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Whatever is planted at the path, only a regular file is written: a link is
// not followed (its target stays as it was), a FIFO does not block the run.
TEST(DebugLog, OnlyARegularFileIsWritten) {
    Folder dir;
    std::string target = dir.path + "/target";
    std::ofstream(target) << "kept\n";
    std::string link = dir.path + "/link";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    std::string dangling = dir.path + "/dangling";
    ASSERT_EQ(::symlink((dir.path + "/nowhere").c_str(), dangling.c_str()), 0);
    std::string fifo = dir.path + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {link, dangling, fifo, dir.path,
                                    std::string("/nonexistent-dir-of-vesk/redv.log")}) {
        EXPECT_FALSE(append_to_file(path.c_str(), "planted\n")) << path;
    }
    EXPECT_EQ(read_all(target), "kept\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path + "/nowhere"));
}

TEST(DebugLog, TheVariableMovesOrSilencesTheLog) {
    Folder dir;
    std::string moved = dir.path + "/moved.log";
    {
        LogVariable set(moved.c_str());
        EXPECT_EQ(debug_log_path(), moved);
        ASSERT_TRUE(append_to_log("to the moved log\n"));
        EXPECT_EQ(read_all(moved), "to the moved log\n");
    }
    {
        LogVariable off("");
        EXPECT_EQ(debug_log_path(), std::nullopt);
        EXPECT_FALSE(append_to_log("nowhere\n"));
        EXPECT_EQ(read_all(moved), "to the moved log\n");
    }
    {
        LogVariable unset(nullptr);
        EXPECT_EQ(debug_log_path(), std::string(kDebugLogPath));
    }
}

}  // namespace
}  // namespace vesk
