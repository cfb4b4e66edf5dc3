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

TermRef raw_of(std::uint64_t pattern) {
    Bytes text(9, ' ');
    std::memcpy(text.data() + 1, &pattern, 8);
    return TermRef(std::move(text));
}

std::uint64_t pattern_of(double d) {
    std::uint64_t p;
    std::memcpy(&p, &d, 8);
    return p;
}

// A complete V tree over the given subtrees, built by hand.
TermRef v_tree(std::vector<TermRef> level) {
    TermRef v("V");
    while (level.size() > 1) {
        std::vector<TermRef> up;
        for (std::size_t i = 0; i < level.size(); i += 2)
            up.push_back(make_pair(make_pair(v, level[i]), level[i + 1]));
        level = std::move(up);
    }
    return level.front();
}

TermRef bits_tree(const std::string& bits) {  // "KHHK..." leftmost first
    std::vector<TermRef> leaves;
    for (char c : bits) leaves.emplace_back(Bytes(1, c));
    return v_tree(std::move(leaves));
}

TEST(BitTrees, EveryDoubleRoundTrips) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<std::uint64_t> patterns = {0x8000000000000000, 0x7ff0000000000001,
                                           0xfff8dead0000beef, 0x7ff4000000000000,
                                           0x0000000000000001, 0xffffffffffffffff};
    for (double d : {0.0, 1.0, -1.5, 1e-310, 1e308, inf, -inf, std::nan("42"), -std::nan("")})
        patterns.push_back(pattern_of(d));
    std::mt19937_64 rng(1);
    for (int i = 0; i < 2000; ++i) patterns.push_back(rng());
    for (std::uint64_t p : patterns) {
        TermRef raw = raw_of(p);
        TermRef tree = real_tree(raw);
        ASSERT_TRUE(is_double_tree(tree)) << std::hex << p;
        ASSERT_EQ(leaf_text(pack_double_tree(tree)), leaf_text(raw)) << std::hex << p;
    }
    DoubleBytes bytes = bytes_of(real_tree(raw_of(0x0807060504030201)));
    for (int j = 0; j < 8; ++j) EXPECT_EQ(bytes[j], j + 1);
}

TEST(BitTrees, HandBuiltTrees) {
    TermRef byte = bits_tree("KHHHHHKH");  // bits 0 and 6
    EXPECT_TRUE(is_byte_tree(byte));
    EXPECT_EQ(byte_of(byte), 0x41);
    EXPECT_EQ(leaf_text(pack_double_tree(bits_tree(std::string(64, 'H')))),
              leaf_text(raw_of(pattern_of(0.0))));
    EXPECT_EQ(leaf_text(pack_double_tree(bits_tree(std::string(63, 'H') + "K"))),
              leaf_text(raw_of(pattern_of(-0.0))));
}

TEST(BitTrees, WrongShapesGiveZ) {
    TermRef good = real_tree(raw_of(pattern_of(2.5)));
    EXPECT_TRUE(is_double_tree(good));
    Bytes with_i = std::string(64, 'H');
    with_i[9] = 'I';
    EXPECT_FALSE(is_byte_tree(bits_tree("HIHHHHHH")));
    EXPECT_EQ(leaf_text(pack_double_tree(bits_tree(with_i))), "Z");
    EXPECT_EQ(leaf_text(pack_double_tree(right(good))), "Z");           // a level missing
    EXPECT_EQ(leaf_text(pack_double_tree(v_tree({good, good}))), "Z");  // one too many
    TermRef w = make_pair(make_pair(TermRef("W"), right(left(good))), right(good));
    EXPECT_EQ(leaf_text(pack_double_tree(w)), "Z");
    EXPECT_EQ(leaf_text(pack_double_tree(TermRef("K"))), "Z");
    EXPECT_EQ(leaf_text(pack_double_tree(TermRef("[abc]"))), "Z");
    // a counted leaf's byte tree (J nodes, I bits) is another shape
    EXPECT_FALSE(is_byte_tree(counted_unfold(counted_leaf("A"))));
    EXPECT_DEATH(byte_of(TermRef("K")), "ASSERTION FAILED:bit_trees.cpp");
    EXPECT_DEATH(bytes_of(right(good)), "ASSERTION FAILED:bit_trees.cpp");
}

TEST(BitTrees, NothingLeaks) {
    std::uint64_t before = cell_counts().live;
    {
        TermRef tree = real_tree(raw_of(pattern_of(-7.25)));
        TermRef raw = pack_double_tree(tree);
        TermRef z = pack_double_tree(right(tree));
    }
    EXPECT_EQ(cell_counts().live, before);
}

}  // namespace
}  // namespace vesk
