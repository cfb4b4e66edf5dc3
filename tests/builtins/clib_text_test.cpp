// The C library's strings, conversions from text and characters.
#include <cerrno>

#include "host_support.hpp"

namespace vesk::test {
namespace {

struct Ints {
    const char* name;
    std::vector<TermRef> args;
    std::int64_t expected;
};

// Texts given as zits start at their "[", posts after their ")".
TEST_F(Host, StringFunctionsTakeEveryKindOfText) {
    const char* buffer = "hello, world";
    const Ints cases[] = {
        {"strlen", {zits("abc")}, 5},
        {"strlen", {post(Bytes("ab\0cd", 5))}, 2},
        {"strlen", {address(buffer)}, 12},
        {"strnlen", {post("abcdef"), num(4)}, 4},
        {"strcmp", {post("abc"), post("abc")}, 0},
        {"strcasecmp", {post("ABC"), post("abc")}, 0},
        {"strncmp", {post("abcx"), post("abcy"), num(3)}, 0},
        {"strncasecmp", {post("ABx"), post("aby"), num(2)}, 0},
        {"strspn", {post("aabx"), post("ab")}, 3},
        {"atoi", {post("-42xyz")}, -42},
        {"atol", {post("9000000000")}, 9000000000},
        {"atoi", {zits("7")}, 0},  // the "[" comes first
    };
    for (const Ints& c : cases) {
        EXPECT_EQ(value(run(c.name, c.args)), c.expected) << c.name;
    }
    EXPECT_GT(value(run("strcmp", {post("b"), post("a")})), 0);
}

TEST_F(Host, SearchesGiveAddressesIntoTheText) {
    TermRef text = post("banana");
    const char* at = counted_payload(text.cell).data();
    EXPECT_EQ(pointer(run("strchr", {text, num('n')})), at + 2);
    EXPECT_EQ(pointer(run("strrchr", {text, num('n')})), at + 4);
    EXPECT_EQ(value(run("strchr", {text, num('z')})), 0);
    EXPECT_EQ(pointer(run("strstr", {text, post("nan")})), at + 2);
    EXPECT_EQ(pointer(run("strpbrk", {text, post("xn")})), at + 2);
    EXPECT_EQ(value(run("strstr", {text, post("x")})), 0);
    TermRef z = zits("ab");
    EXPECT_EQ(pointer(run("strchr", {z, num('[')})), leaf_chars(z.cell));
}

TEST_F(Host, CopiesGoToTheDestination) {
    TermRef buffer = run("calloc", {num(32), num(1)});
    EXPECT_EQ(value(run("strcpy", {buffer, post("ab")})), value(buffer));
    run("strcat", {buffer, post("cd")});
    run("strncat", {buffer, post("efgh"), num(2)});
    EXPECT_STREQ(pointer(buffer), "abcdef");
    run("strncpy", {buffer, post("xyz"), num(2)});
    EXPECT_STREQ(pointer(buffer), "xycdef");
    TermRef copy = run("strdup", {post("dup")});
    EXPECT_STREQ(pointer(copy), "dup");
    EXPECT_EQ(rt().host.blocks.count(pointer(copy)), 1u);  // freed with the run
    EXPECT_EQ(leaf_text(run("free", {copy})), "I");
    EXPECT_TRUE(is_z(run("strcpy", {num(0), post("ab")})));
    EXPECT_TRUE(is_z(run("strcpy", {post("ab"), post("cd")})));  // not an address
}

TEST_F(Host, TokensSplitABuffer) {
    TermRef buffer = run("strdup", {post("a b  c")});
    EXPECT_STREQ(pointer(run("strtok", {buffer, post(" ")})), "a");
    EXPECT_STREQ(pointer(run("strtok", {num(0), post(" ")})), "b");
    EXPECT_STREQ(pointer(run("strtok", {num(0), post(" ")})), "c");
    EXPECT_EQ(value(run("strtok", {num(0), post(" ")})), 0);
    TermRef again = run("strdup", {post("x,y")});
    TermRef context = run("malloc", {num(8)});
    EXPECT_STREQ(pointer(run("strtok_r", {again, post(","), context})), "x");
    EXPECT_STREQ(pointer(run("strtok_r", {num(0), post(","), context})), "y");
    EXPECT_TRUE(is_z(run("strtok_r", {num(0), post(","), num(0)})));
}

TEST_F(Host, ConversionsReadNumbersAndTheirEnd) {
    EXPECT_DOUBLE_EQ(real_value(run("atof", {post("2.5e1")})), 25.0);
    TermRef end = run("malloc", {num(8)});
    TermRef text = post("0x1fz");
    EXPECT_EQ(value(run("strtol", {text, end, num(16)})), 31);
    EXPECT_EQ(pointer(run("refk", {end})), counted_payload(text.cell).data() + 4);
    EXPECT_EQ(value(run("strtol", {post("-12"), num(0), num(10)})), -12);
    EXPECT_EQ(leaf_text(run("strtoul", {post("-1"), num(0), num(10)})), "18446744073709551615");
    TermRef decimal = post("1.5rest");  // the end points into it
    EXPECT_DOUBLE_EQ(real_value(run("strtod", {decimal, end})), 1.5);
    EXPECT_STREQ(pointer(run("refk", {end})), "rest");
    errno = 0;
    run("strtol", {post("99999999999999999999"), num(0), num(10)});
    EXPECT_EQ(value(run("errno")), ERANGE);
    EXPECT_TRUE(is_z(run("atoi", {float_result(1.0)})));
    EXPECT_TRUE(is_z(run("atoi", {num(0)})));  // no text at address 0
}

struct Char {
    const char* name;
    std::int64_t c;
    const char* expected;
};

TEST_F(Host, CharacterClassesAndCases) {
    const Char cases[] = {
        {"isalpha", 'a', "K"},  {"isalpha", '1', "H"},   {"isdigit", '7', "K"},
        {"isalnum", '_', "H"},  {"isblank", '\t', "K"},  {"isgraph", ' ', "H"},
        {"islower", 'a', "K"},  {"isupper", 'a', "H"},   {"isprint", ' ', "K"},
        {"ispunct", '!', "K"},  {"isspace", '\n', "K"},  {"isalpha", -1, "H"},
        {"isalpha", 256, "Z"},  {"isalpha", -2, "Z"},    {"isascii", 200, "H"},
        {"isascii", 127, "K"},  {"isascii", -1, "H"},    {"toascii", 200, "72"},
        {"tolower", 'A', "97"}, {"toupper", 'a', "65"},  {"toupper", '1', "49"},
        {"tolower", 1000, "Z"},
    };
    for (const Char& c : cases) {
        EXPECT_EQ(leaf_text(run(c.name, {num(c.c)})), c.expected) << c.name << " " << c.c;
    }
    EXPECT_TRUE(is_z(run("isalpha", {zits("a")})));
}

}  // namespace
}  // namespace vesk::test
