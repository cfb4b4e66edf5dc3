// Raw memory: the five stems, their bounds and copies on write, and the
// C allocation and block functions.
#include "host_support.hpp"

namespace vesk::test {
namespace {

struct Read {
    const char* name;
    std::int64_t index;
    std::int64_t expected;  // -1: "Z"
};

// The post "abc" (payload 61 62 63) read by rem and rel; the leaf text
// "(c)abc" after its first byte read by red.
TEST_F(Host, ReadsPostBytesWithinBounds) {
    const Read cases[] = {
        {"relh", 0, 'a'},     {"relh", -1, 'c'},  {"relh", 3, -1},     {"relh", -4, -1},
        {"reli", 1, 0x6362},  {"reli", 2, -1},    {"relj", 0, -1},     {"remh", 2, 'c'},
        {"remh", -1, -1},     {"remi", 0, 0x6261}, {"remh", 3, -1},    {"redh", 0, 'c'},
        {"redh", 1, ')'},     {"redh", 4, 'c'},   {"redh", 5, -1},     {"redj", 1, 0x63626129},
    };
    TermRef p = post("abc");
    for (const Read& r : cases) {
        TermRef got = run(r.name, {p, num(r.index)});
        if (r.expected < 0) {
            EXPECT_TRUE(is_z(got)) << r.name << " " << r.index;
        } else {
            EXPECT_EQ(value(got), r.expected) << r.name << " " << r.index;
        }
    }
    EXPECT_TRUE(is_z(run("remh", {zits("abc"), num(0)})));  // rem needs a post
    EXPECT_TRUE(is_z(run("relh", {p, zits("a")})));
    EXPECT_EQ(value(run("redh", {TermRef("123"), num(1)})), '3');  // any leaf
    EXPECT_TRUE(is_z(run("redh", {apply(p, p), num(0)})));         // not a pair
}

// Held once or many times, the post written is never changed: a count of
// one cannot tell that no shared pair holds it.
TEST_F(Host, WritesAPostIntoACopy) {
    for (const char* name : {"rell", "reml", "redl"}) {
        std::int64_t index = std::string_view(name) == "redl" ? 3 : 1;
        for (int holders : {1, 2}) {
            TermRef p = post("abc");
            TermRef other = holders == 2 ? p : post("x");
            TermRef copy = run(name, {p, num(index), num('X' + 256)});  // low bits only
            EXPECT_NE(copy.cell, p.cell) << name;
            EXPECT_EQ(counted_payload(copy.cell), "aXc") << name;
            EXPECT_EQ(counted_payload(p.cell), "abc") << name;
        }
    }
}

TEST_F(Host, RefusesWritesOutsideAPostsPayload) {
    TermRef p = post("abcd");
    EXPECT_EQ(counted_payload(run("relm", {p, num(-2), num(0x5a59)}).cell), "abYZ");
    EXPECT_TRUE(is_z(run("relm", {p, num(3), num(0)})));
    EXPECT_TRUE(is_z(run("remo", {p, num(0), num(0)})));  // 8 bytes need 8
    EXPECT_TRUE(is_z(run("redl", {p, num(1), num('x')})));  // over the ")"
    EXPECT_TRUE(is_z(run("redl", {p, num(0), num('x')})));  // over the length
    EXPECT_TRUE(is_z(run("redl", {zits("ab"), num(0), num('x')})));
    EXPECT_TRUE(is_z(run("redl", {TermRef("123"), num(0), num('x')})));
    EXPECT_TRUE(is_z(run("rell", {p, num(0), float_result(1.0)})));
}

struct ZitsWrite {
    const char* name;
    const char* inner;
    std::int64_t index;
    std::int64_t value;
    const char* expected;  // null: "Z"
};

TEST_F(Host, WritesAZitsIntoANewLeafKeepingItsBrackets) {
    const ZitsWrite cases[] = {
        {"recl", "abc", 0, 'x', "[xbc]"},
        {"recl", "abc", -1, 'x', "[abx]"},
        {"recl", "a[b]c", 0, '[', nullptr},     // a bracket over a plain byte
        {"recl", "a[b]c", 1, '[', "[a[b]c]"},   // a bracket over a bracket
        {"recl", "a[b]c", 3, 'x', nullptr},     // removes a closer
        {"recm", "[]", 0, ']' | ('[' << 8), nullptr},  // same count, but "][" cannot nest
        {"recm", "abc", 1, 'y' | ('z' << 8), "[ayz]"},
        {"recl", "abc", 3, 'x', nullptr},
    };
    for (const ZitsWrite& w : cases) {
        TermRef z = zits(w.inner);
        TermRef got = run(w.name, {z, num(w.index), num(w.value)});
        EXPECT_EQ(leaf_text(got), w.expected ? w.expected : "Z") << w.inner << " " << w.index;
        EXPECT_EQ(leaf_text(z), Bytes("[") + w.inner + "]");  // never changed
    }
    EXPECT_EQ(value(run("rech", {zits("abc"), num(-1)})), 'c');
    EXPECT_EQ(value(run("reci", {apply(zits("a"), zits("b")), num(0)})), 0x6261);
    EXPECT_TRUE(is_z(run("rech", {post("abc"), num(0)})));
}

TEST_F(Host, RawAddressesRoundTripEveryWidth) {
    TermRef block = run("malloc", {num(16)});
    char* p = pointer(block);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(leaf_text(run("refo", {block, num(0x1122334455667788)})), "I");
    EXPECT_EQ(value(run("refk", {block})), 0x1122334455667788);
    EXPECT_EQ(value(run("refj", {block})), 0x55667788);
    EXPECT_EQ(value(run("refi", {block})), 0x7788);
    EXPECT_EQ(value(run("refh", {block})), 0x88);
    EXPECT_EQ(leaf_text(run("refo", {block, num(-1)})), "I");
    EXPECT_EQ(leaf_text(run("refk", {block})), "18446744073709551615");  // unsigned
    run("refm", {address(p + 3), num(0xabcd)});
    EXPECT_EQ(static_cast<unsigned char>(p[3]), 0xcd);
    EXPECT_EQ(static_cast<unsigned char>(p[4]), 0xab);
    EXPECT_TRUE(is_z(run("refl", {block, float_result(1.0)})));
    EXPECT_TRUE(is_z(run("refh", {num(0)})));
    EXPECT_EQ(leaf_text(run("free", {block})), "I");
}

TEST_F(Host, BlocksAreTheRunsUntilFreed) {
    EXPECT_TRUE(is_z(run("malloc", {float_result(4.0)})));
    TermRef a = run("calloc", {num(4), num(2)});
    EXPECT_EQ(rt().host.blocks.at(pointer(a)), 8u);
    EXPECT_EQ(std::memcmp(pointer(a), "\0\0\0\0\0\0\0\0", 8), 0);
    TermRef b = run("realloc", {a, num(64)});
    EXPECT_EQ(rt().host.blocks.at(pointer(b)), 64u);  // the old block forgotten
    EXPECT_EQ(rt().host.blocks.size(), 1u);
    EXPECT_EQ(leaf_text(run("free", {b})), "I");
    EXPECT_TRUE(is_z(run("free", {b})));  // twice: refused, not a double free
    EXPECT_TRUE(is_z(run("realloc", {b, num(8)})));
    EXPECT_EQ(leaf_text(run("free", {num(0)})), "I");
    TermRef kept = run("malloc", {num(32)});  // left for the runtime to free
    EXPECT_EQ(rt().host.blocks.size(), 1u);
}

TEST_F(Host, BlockFunctionsWorkOnAddresses) {
    TermRef a = run("malloc", {num(8)}), b = run("malloc", {num(8)});
    EXPECT_EQ(value(run("memset", {a, num('x'), num(8)})), value(a));
    EXPECT_EQ(value(run("memcpy", {b, a, num(8)})), value(b));
    EXPECT_EQ(value(run("memcmp", {a, b, num(8)})), 0);
    run("refl", {address(pointer(b) + 5), num('y')});
    EXPECT_LT(value(run("memcmp", {a, b, num(8)})), 0);
    EXPECT_EQ(pointer(run("memchr", {b, num('y'), num(8)})), pointer(b) + 5);
    EXPECT_EQ(value(run("memchr", {b, num('z'), num(8)})), 0);
    EXPECT_EQ(value(run("memmove", {address(pointer(b) + 1), b, num(7)})), value(b) + 1);
    EXPECT_EQ(std::string_view(pointer(b), 8), "xxxxxxyx");
    EXPECT_EQ(leaf_text(run("bzero", {b, num(8)})), "I");
    EXPECT_EQ(value(run("refk", {b})), 0);
    EXPECT_TRUE(is_z(run("memcpy", {b, zits("abc"), num(3)})));  // addresses only
}

}  // namespace
}  // namespace vesk::test
