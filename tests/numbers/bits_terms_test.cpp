#include <gtest/gtest.h>

#include "bits_test_util.hpp"
#include "numbers/bits.hpp"
#include "terms/cells.hpp"

namespace vesk {
namespace {

using bits_test::picture;
using bits_test::u64_bits;

TEST(BitsTerms, NumberLeafOrEmptyList) {
    EXPECT_EQ(leaf_text(bits_term("\x01")), "K");
    EXPECT_EQ(leaf_text(bits_term(u64_bits(23))), "5");
    EXPECT_EQ(leaf_text(bits_term(u64_bits(2))), "00");
    TermRef number = bits_term(u64_bits(21));
    EXPECT_EQ(leaf_text(number), "05");
    EXPECT_EQ(span_of(number.cell), 2u);  // a real number leaf, length cached
    EXPECT_DEATH(bits_term(""), "ASSERTION FAILED:bits_list.cpp");
}

TEST(BitsTerms, CheckedTermTrimsAndRefusesZero) {
    EXPECT_FALSE(checked_bits_term(""));
    EXPECT_FALSE(checked_bits_term(zero_bytes(9)));
    std::optional<TermRef> t = checked_bits_term(BitString("\x17\x00\x00", 3));
    ASSERT_TRUE(t);
    EXPECT_EQ(leaf_text(*t), "5");
    EXPECT_EQ(leaf_text(*checked_bits_term(BitString("\x01\x00", 2))), "K");
}

TEST(BitsTerms, ExplicitListsEndInK) {
    // 7 is the integer 1: K, K.   5 is -1: K, H.   1 is the empty list.
    EXPECT_EQ(picture(bits_list_term(u64_bits(7))), "((J K) ((J K) K))");
    EXPECT_EQ(picture(bits_list_term(u64_bits(5))), "((J K) ((J H) K))");
    EXPECT_EQ(picture(bits_list_term("\x01")), "K");
    EXPECT_EQ(picture(bits_list_term(u64_bits(23))), "((J K) ((J K) ((J K) ((J H) K))))");
}

TEST(BitsTerms, LongListsBuildWithoutRecursionAndFreeCleanly) {
    std::uint64_t before = cell_counts().live;
    {
        BitString bits = shift_bits("\x01", 1'000'000);  // a million H elements
        TermRef list = bits_list_term(bits);
        // the first cell holds the first element; walk the spine to the end
        std::size_t n = 0;
        TermRef at = list;
        while (is_pair(at)) {
            ASSERT_EQ(leaf_text(right(left(at))), "H");
            at = right(at);
            ++n;
        }
        EXPECT_EQ(n, 1'000'000u);
        EXPECT_EQ(leaf_text(at), "K");
    }
    EXPECT_EQ(cell_counts().live, before);
}

}  // namespace
}  // namespace vesk
