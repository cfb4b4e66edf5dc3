// The C library's process, environment, time and error-number built-ins.
#include <csignal>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "host_support.hpp"

namespace vesk::test {
namespace {

TEST_F(Host, ErrorNumbersAndSizesAreTheHosts) {
    const std::pair<const char*, std::int64_t> constants[] = {
        {"eacces", EACCES},   {"ebadf", EBADF},     {"econnaborted", ECONNABORTED},
        {"efault", EFAULT},   {"eintr", EINTR},     {"einval", EINVAL},
        {"eio", EIO},         {"emfile", EMFILE},   {"enfile", ENFILE},
        {"enodev", ENODEV},   {"enomem", ENOMEM},   {"enotsock", ENOTSOCK},
        {"enxio", ENXIO},     {"eopnotsupp", EOPNOTSUPP}, {"eoverflow", EOVERFLOW},
        {"ewouldblock", EWOULDBLOCK}, {"rand_max", RAND_MAX},
        {"time_t", static_cast<std::int64_t>(sizeof(std::time_t))},
    };
    for (const auto& [name, expected] : constants) EXPECT_EQ(value(run(name)), expected) << name;
}

TEST_F(Host, TheEnvironmentAndCommands) {
    ::setenv("VESK_TEST_VALUE", "xyz", 1);
    EXPECT_STREQ(pointer(run("getenv", {post("VESK_TEST_VALUE")})), "xyz");
    EXPECT_EQ(value(run("getenv", {post("VESK_TEST_UNSET_NAME")})), 0);
    EXPECT_EQ(value(run("system", {post("exit 3")})), 3 << 8);
    EXPECT_TRUE(is_z(run("system", {num(0)})));
    run("srand", {num(7)});
    std::int64_t first = value(run("rand"));
    run("srand", {num(7)});
    EXPECT_EQ(value(run("rand")), first);
    EXPECT_LE(first, RAND_MAX);
    EXPECT_EQ(value(run("raise", {num(SIGWINCH)})), 0);  // ignored by default
}

TEST_F(Host, ExitFlushesAndEndsWithTheStatus) {
    EXPECT_EXIT(
        {
            run("puts", {post("kept")});
            run("exit", {num(7)});
        },
        testing::ExitedWithCode(7), "");
    EXPECT_EXIT(run("abort"), testing::KilledBySignal(SIGABRT), "");
    EXPECT_TRUE(is_z(run("exit", {post("1")})));
}

TEST_F(Host, TimesTravelByAddress) {
    TermRef t = run("malloc", {num(8)});
    std::int64_t now = value(run("time", {t}));
    EXPECT_LE(std::llabs(now - static_cast<std::int64_t>(std::time(nullptr))), 2);
    EXPECT_EQ(value(run("refk", {t})), now);
    run("refo", {t, num(86400)});
    TermRef tm = run("gmtime", {t});
    EXPECT_EQ(pointer<std::tm>(tm)->tm_mday, 2);
    EXPECT_EQ(pointer<std::tm>(tm)->tm_year, 70);
    EXPECT_STREQ(pointer(run("asctime", {tm})), "Fri Jan  2 00:00:00 1970\n");
    TermRef buffer = run("malloc", {num(32)});
    EXPECT_EQ(leaf_text(run("strftime", {buffer, num(32), post("%Y-%m-%d"), tm})), "10");
    EXPECT_STREQ(pointer(buffer), "1970-01-02");
    TermRef local = run("localtime", {t});
    EXPECT_EQ(value(run("mktime", {local})), 86400);
    EXPECT_NE(value(run("ctime", {t})), 0);
    EXPECT_DOUBLE_EQ(real_value(run("difftime", {num(10), num(4)})), 6.0);
    EXPECT_TRUE(is_z(run("gmtime", {num(0)})));
}

}  // namespace
}  // namespace vesk::test
