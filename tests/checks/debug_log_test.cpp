#include "checks/debug_log.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
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

std::string temp_path(const char* stem) {
    return testing::TempDir() + stem + std::to_string(::getpid());
}

TEST(DebugLog, AppendsEveryByteAfterWhatIsThere) {
    std::string path = temp_path("vesk_log_");
    std::remove(path.c_str());
    ASSERT_TRUE(append_to_file(path.c_str(), "First a: x\n"));
    std::string binary("b\0c\n", 4);
    ASSERT_TRUE(append_to_file(path.c_str(), binary));
    ASSERT_TRUE(append_to_file(path.c_str(), ""));
    EXPECT_EQ(read_all(path), "First a: x\n" + binary);
    std::string big(1 << 20, 'z');
    ASSERT_TRUE(append_to_file(path.c_str(), big));
    EXPECT_EQ(read_all(path).size(), 11 + 4 + big.size());
    std::remove(path.c_str());
}

TEST(DebugLog, AnUnwritableLogIsSkippedQuietly) {
    EXPECT_FALSE(append_to_file("/nonexistent-dir-of-vesk/redv.log", "text\n"));
    EXPECT_FALSE(append_to_file(testing::TempDir().c_str(), "a directory\n"));
}

TEST(DebugLog, TheSharedLogReceivesTheText) {
    std::string line = "vesk debug log test " + std::to_string(::getpid()) + "\n";
    if (!append_to_log(line)) GTEST_SKIP() << kDebugLogPath << " is not writable here";
    EXPECT_NE(read_all(kDebugLogPath).find(line), std::string::npos);
}

}  // namespace
}  // namespace vesk
