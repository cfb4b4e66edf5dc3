#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "../numbers/bits_test_util.hpp"
#include "numbers/bits.hpp"
#include "engine/unfold.hpp"
#include "terms/cells.hpp"

namespace vesk {
namespace {

using bits_test::picture;

TEST(UnfoldNumber, TagIsTheFirstElement) {
    EXPECT_EQ(leaf_text(number_tag("5")), "K");
    EXPECT_EQ(leaf_text(number_tag("0")), "K");
    EXPECT_EQ(leaf_text(number_tag("05")), "K");
    EXPECT_EQ(leaf_text(number_tag("00")), "H");
    EXPECT_EQ(leaf_text(number_tag("0017")), "H");
}

TEST(UnfoldNumber, PayloadIsTheRestOfTheList) {
    EXPECT_EQ(leaf_text(number_payload("5")), "2");  // K K K H -> K K H
    EXPECT_EQ(leaf_text(number_payload("0")), "K");
    EXPECT_EQ(leaf_text(number_payload("00")), "K");
    EXPECT_EQ(leaf_text(number_payload("01")), "00");  // K H -> H
    TermRef rest = number_payload("12345678901234567890");
    EXPECT_EQ(span_of(rest.cell), leaf_text(rest).size());  // a proper number leaf
}

// Unfolding tag and payload again and again spells out the bit list.
TEST(UnfoldNumber, RepeatedUnfoldingSpellsTheBitList) {
    std::mt19937_64 rng(17);
    for (int round = 0; round < 300; ++round) {
        std::string text = bits_test::random_number_text(rng, round, 40);
        BitString bits = text_to_bits(text);
        TermRef at(Bytes(text.c_str()));
        for (std::size_t i = 0; i < list_length(bits); ++i) {
            ASSERT_NE(first_char(at), 'K') << text << " ended early at " << i;
            Bytes now = leaf_text(at);
            ASSERT_EQ(leaf_text(number_tag(now)), list_element(i, bits) ? "K" : "H");
            at = number_payload(now);
        }
        EXPECT_EQ(leaf_text(at), "K") << text;
    }
}

TEST(UnfoldCounted, CountedLeavesCarryBase64Lengths) {
    EXPECT_EQ(leaf_text(counted_leaf("")), "()");
    EXPECT_EQ(leaf_text(counted_leaf("ab")), "(b)ab");
    Bytes long_payload(64 * 3 + 5, 'x');
    EXPECT_EQ(leaf_text(counted_leaf(long_payload)), "(ce)" + long_payload);
    Bytes with_nul("a\0b", 3);
    EXPECT_EQ(counted_payload(counted_leaf(with_nul).cell), with_nul);
}

TEST(UnfoldCounted, EmptyAndSingleBytes) {
    EXPECT_EQ(picture(counted_unfold(TermRef("()"))), "Z");
    // 0x41: bits 0 and 6
    EXPECT_EQ(picture(counted_unfold(counted_leaf("A"))),
              "((V ((J ((J I) H)) ((J H) H))) ((J ((J H) H)) ((J I) H)))");
    EXPECT_EQ(picture(counted_unfold(counted_leaf(Bytes(1, '\0')))),
              "((V ((J ((J H) H)) ((J H) H))) ((J ((J H) H)) ((J H) H)))");
    EXPECT_EQ(picture(counted_unfold(counted_leaf("\xff"))),
              "((V ((J ((J I) I)) ((J I) I))) ((J ((J I) I)) ((J I) I)))");
}

TEST(UnfoldCounted, SplitsAtTheLargestPowerOfTwoBelow) {
    EXPECT_EQ(picture(counted_unfold(counted_leaf("abcd"))), "((V (b)ab) (b)cd)");
    EXPECT_EQ(picture(counted_unfold(counted_leaf("ab"))), "((V (a)a) (a)b)");
    EXPECT_EQ(picture(counted_unfold(counted_leaf("abc"))), "((V (b)ab) (a)c)");
    EXPECT_EQ(picture(counted_unfold(counted_leaf("abbc"))), "((V (b)ab) (b)bc)");
    EXPECT_EQ(picture(counted_unfold(counted_leaf("abcdefghi"))), "((V (h)abcdefgh) (a)i)");
}

// Unfolding to single bytes visits every byte once, in order, so different
// payloads never unfold alike.
TEST(UnfoldCounted, FullUnfoldingGivesBackEveryByte) {
    std::mt19937_64 rng(23);
    for (std::size_t n = 1; n < 70; ++n) {
        Bytes payload;
        for (std::size_t i = 0; i < n; ++i) payload.push_back(static_cast<char>(rng() & 0xff));
        Bytes seen;
        std::vector<TermRef> todo{counted_leaf(payload)};
        while (!todo.empty()) {
            TermRef leaf = std::move(todo.back());
            todo.pop_back();
            std::string_view bytes = counted_payload(leaf.cell);
            if (bytes.size() == 1) {
                seen.push_back(bytes[0]);
                continue;
            }
            TermRef u = counted_unfold(leaf);
            ASSERT_EQ(leaf_text(left(left(u))), "V");
            todo.push_back(right(u));
            todo.push_back(right(left(u)));
        }
        ASSERT_EQ(seen, payload) << n;
    }
}

Bytes raw_text(double d) {
    Bytes text(9, ' ');
    std::memcpy(text.data() + 1, &d, 8);
    return text;
}

TEST(UnfoldReal, ZeroIsAllH) {
    TermRef tree = real_tree(TermRef(raw_text(0.0)));
    Bytes p = picture(tree);
    EXPECT_EQ(std::count(p.begin(), p.end(), 'H'), 64);
    EXPECT_EQ(std::count(p.begin(), p.end(), 'K'), 0);
    EXPECT_EQ(std::count(p.begin(), p.end(), 'V'), 63);
}

TEST(UnfoldReal, BitsSitLowestFirstInAHalvingTree) {
    // -0.0 has only bit 63: the rightmost leaf
    TermRef tree = real_tree(TermRef(raw_text(-0.0)));
    TermRef at = tree;
    for (int level = 0; level < 6; ++level) at = right(at);
    EXPECT_EQ(leaf_text(at), "K");
    // 1.0 is 0x3ff0000000000000: bits 52 to 61
    Bytes p = picture(real_tree(TermRef(raw_text(1.0))));
    Bytes bits;
    for (char c : p)
        if (c == 'K' || c == 'H') bits.push_back(c == 'K' ? '1' : '0');
    EXPECT_EQ(bits, std::string(52, '0') + std::string(10, '1') + "00");
    // the shape: V (lower 32) (upper 32), every level
    EXPECT_EQ(leaf_text(left(left(tree))), "V");
}

TEST(UnfoldDeath, WrongLiteralsAssert) {
    EXPECT_DEATH(real_tree(TermRef("K")), "ASSERTION FAILED:unfold.cpp");
    EXPECT_DEATH(counted_unfold(TermRef("[ab]")), "ASSERTION FAILED:leaf_text.cpp");
    EXPECT_DEATH(number_tag(""), "ASSERTION FAILED:unfold.cpp");
}

TEST(UnfoldCells, UnfoldingsFreeWhatTheyMake) {
    std::uint64_t before = cell_counts().live;
    {
        TermRef c = counted_leaf("hello, world");
        TermRef u = counted_unfold(c);
        TermRef r = real_tree(TermRef(raw_text(3.5)));
        TermRef n = number_payload("987654321");
    }
    EXPECT_EQ(cell_counts().live, before);
}

}  // namespace
}  // namespace vesk
