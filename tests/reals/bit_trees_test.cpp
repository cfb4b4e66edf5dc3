#include "reals/bit_trees.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "engine/unfold.hpp"
#include "terms/cells.hpp"

namespace vesk {
namespace {

TermRef raw_of_pattern(std::uint64_t pattern) {
    Bytes text(9, ' ');
    std::memcpy(text.data() + 1, &pattern, 8);
    return TermRef(std::move(text));
}

TermRef raw_of(double d) {
    std::uint64_t pattern;
    std::memcpy(&pattern, &d, 8);
    return raw_of_pattern(pattern);
}

// The depth-3 tree of bits b0..b7 (leaf texts), built by hand.
TermRef byte_tree_of(const char* const bits[8]) {
    TermRef v("V");
    std::vector<TermRef> level;
    for (int i = 0; i < 8; ++i) level.emplace_back(bits[i]);
    while (level.size() > 1) {
        std::vector<TermRef> up;
        for (std::size_t i = 0; i < level.size(); i += 2)
            up.push_back(make_pair(make_pair(v, level[i]), level[i + 1]));
        level = std::move(up);
    }
    return level.front();
}

TEST(BitTrees, EveryDoubleRoundTrips) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<std::uint64_t> patterns = {
        0x0000000000000000, 0x8000000000000000, 0x7ff0000000000000, 0xfff0000000000000,
        0x7ff8000000000000, 0x7ff0000000000001, 0xfff8dead0000beef, 0x7ff4000000000000,
        0x0000000000000001, 0x000fffffffffffff, 0xffffffffffffffff, 0x3ff0000000000000};
    for (double d : {1.0, -1.5, 1e-310, 1e308, inf, -inf, std::nan("42"), 3.141592653589793}) {
        std::uint64_t p;
        std::memcpy(&p, &d, 8);
        patterns.push_back(p);
    }
    std::mt19937_64 rng(1);
    for (int i = 0; i < 2000; ++i) patterns.push_back(rng());
    for (std::uint64_t p : patterns) {
        TermRef raw = raw_of_pattern(p);
        TermRef tree = real_tree(raw);
        ASSERT_TRUE(is_double_tree(tree)) << std::hex << p;
        TermRef back = pack_double_tree(tree);
        ASSERT_EQ(leaf_text(back), leaf_text(raw)) << std::hex << p;
    }
}

TEST(BitTrees, BytesComeOutLowFirst) {
    TermRef tree = real_tree(raw_of_pattern(0x0807060504030201));
    DoubleBytes bytes = bytes_of(tree);
    for (int j = 0; j < 8; ++j) EXPECT_EQ(bytes[j], j + 1);
    // the leftmost byte tree is byte 0
    TermRef first = right(left(right(left(right(left(tree))))));
    EXPECT_TRUE(is_byte_tree(first));
    EXPECT_EQ(byte_of(first), 1);
}

TEST(BitTrees, AllHIsZeroAndOnlyTheLastKIsMinusZero) {
    const char* h8[8] = {"H", "H", "H", "H", "H", "H", "H", "H"};
    const char* top[8] = {"H", "H", "H", "H", "H", "H", "H", "K"};
    TermRef v("V");
    std::vector<TermRef> level;
    for (int j = 0; j < 8; ++j) level.push_back(byte_tree_of(j == 7 ? top : h8));
    std::vector<TermRef> zeros(8, byte_tree_of(h8));
    auto fold = [&](std::vector<TermRef> l) {
        while (l.size() > 1) {
            std::vector<TermRef> up;
            for (std::size_t i = 0; i < l.size(); i += 2)
                up.push_back(make_pair(make_pair(v, l[i]), l[i + 1]));
            l = std::move(up);
        }
        return l.front();
    };
    EXPECT_EQ(leaf_text(pack_double_tree(fold(zeros))), leaf_text(raw_of(0.0)));
    EXPECT_EQ(leaf_text(pack_double_tree(fold(level))), leaf_text(raw_of(-0.0)));
}

TEST(BitTrees, WrongShapesGiveZ) {
    TermRef good = real_tree(raw_of(2.5));
    // one leaf I in place of a bit
    const char* with_i[8] = {"H", "I", "H", "H", "H", "H", "H", "H"};
    EXPECT_FALSE(is_byte_tree(byte_tree_of(with_i)));
    TermRef bad_leaf = make_pair(left(good), make_pair(left(right(good)), byte_tree_of(with_i)));
    EXPECT_FALSE(is_double_tree(bad_leaf));
    EXPECT_EQ(leaf_text(pack_double_tree(bad_leaf)), "Z");
    // one level missing: the top node's halves are byte trees
    TermRef shallow = right(right(good));
    EXPECT_EQ(leaf_text(pack_double_tree(shallow)), "Z");
    // one level too many: trees where the bits should be
    TermRef deep = make_pair(make_pair(TermRef("V"), good), good);
    EXPECT_EQ(leaf_text(pack_double_tree(deep)), "Z");
    // another head than V
    TermRef w = make_pair(make_pair(TermRef("W"), right(left(good))), right(good));
    EXPECT_EQ(leaf_text(pack_double_tree(w)), "Z");
    // leaves and data
    EXPECT_EQ(leaf_text(pack_double_tree(TermRef("K"))), "Z");
    EXPECT_EQ(leaf_text(pack_double_tree(TermRef("[abc]"))), "Z");
    // a counted byte tree (J nodes, I bits) is not a double's byte tree
    EXPECT_FALSE(is_byte_tree(counted_unfold(counted_leaf("A"))));
    EXPECT_TRUE(is_double_tree(good));
}

TEST(BitTreesDeath, PackingParts) {
    EXPECT_DEATH(byte_of(TermRef("K")), "ASSERTION FAILED:bit_trees.cpp");
    EXPECT_DEATH(bytes_of(TermRef("K")), "ASSERTION FAILED:bit_trees.cpp");
}

TEST(BitTrees, NothingLeaks) {
    std::uint64_t before = cell_counts().live;
    {
        TermRef tree = real_tree(raw_of(-7.25));
        TermRef raw = pack_double_tree(tree);
        TermRef z = pack_double_tree(right(tree));
    }
    EXPECT_EQ(cell_counts().live, before);
}

}  // namespace
}  // namespace vesk
