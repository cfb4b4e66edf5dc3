// The conventions every built-in shares: kinds of values, result leaves,
// the redex's arguments and the conversions to and from C values.
#include <cmath>
#include <cstring>
#include <limits>

#include "../engine/engine_support.hpp"
#include "builtins/values.hpp"
#include "engine/annotate.hpp"

namespace vesk::test {
namespace {

using Values = EngineTest;

TermRef real_leaf(double d) {
    char text[9] = {' '};
    std::memcpy(text + 1, &d, 8);
    return leaf_term(std::string_view(text, 9));
}

TEST_F(Values, LeavesAreClassifiedByTheirFirstBytes) {
    EXPECT_EQ(classify(real_leaf(2.5)), ValueKind::real);
    EXPECT_EQ(classify(TermRef(Bytes("(c)a\0c", 6))), ValueKind::post);
    EXPECT_EQ(classify(TermRef("[abc]")), ValueKind::zits);
    EXPECT_EQ(classify(TermRef("0")), ValueKind::hint);
    EXPECT_EQ(classify(TermRef("7")), ValueKind::hint);
    EXPECT_EQ(classify(TermRef("042")), ValueKind::hint);
    EXPECT_EQ(classify(TermRef("00")), ValueKind::numb);
    EXPECT_EQ(classify(TermRef("0042")), ValueKind::numb);
    EXPECT_EQ(classify(TermRef("K")), ValueKind::void_);
    EXPECT_EQ(classify(TermRef("plus")), ValueKind::void_);
    EXPECT_EQ(kind_name(ValueKind::void_), "void");
    EXPECT_EQ(kind_name(ValueKind::zits), "zits");
}

TEST_F(Values, PairsAreTextsListsOrNothing) {
    EXPECT_EQ(classify(term("[a] [b]")), ValueKind::zits);
    EXPECT_EQ(classify(term("J K K")), ValueKind::hint);
    EXPECT_EQ(classify(term("J H (J K K)")), ValueKind::numb);
    EXPECT_EQ(classify(term("J I K")), ValueKind::void_);
    EXPECT_EQ(classify(term("K [a]")), ValueKind::void_);
    EXPECT_EQ(classify(term("[a] K")), ValueKind::void_);  // data applied: not data
}

TEST_F(Values, ResultLeaves) {
    EXPECT_EQ(leaf_text(failure_result()), "Z");
    EXPECT_EQ(leaf_text(unit_result()), "I");
    EXPECT_EQ(leaf_text(truth_result(true)), "K");
    EXPECT_EQ(leaf_text(truth_result(false)), "H");
}

TEST_F(Values, ArgumentsComeFirstToLast) {
    TermRef redex = term("cork [abc] 1 X");
    Arguments args = open_arguments(redex, 3);
    ASSERT_EQ(args.count, 3);
    EXPECT_EQ(leaf_view(args.at[0]), "[abc]");
    EXPECT_EQ(leaf_view(args.at[1]), "1");
    EXPECT_EQ(leaf_view(args.at[2]), "X");
    Arguments none = open_arguments(TermRef("rand_max"), 0);
    EXPECT_EQ(none.count, 0);
    EXPECT_DEATH(open_arguments(term("plus 1"), 2), "ASSERTION FAILED:values.cpp");
}

TEST_F(Values, ShortIntegers) {
    EXPECT_EQ(integer_argument(TermRef("0").cell), 0);
    EXPECT_EQ(integer_argument(TermRef("42").cell), 42);
    EXPECT_EQ(integer_argument(TermRef("042").cell), -42);
    EXPECT_EQ(integer_argument(TermRef("K").cell), 0);
    EXPECT_EQ(integer_argument(TermRef("999999999999999999").cell), 999999999999999999);
    EXPECT_EQ(integer_argument(TermRef("0999999999999999999").cell), -999999999999999999);
    EXPECT_FALSE(integer_argument(TermRef("00").cell));
    EXPECT_FALSE(integer_argument(TermRef("0042").cell));
    EXPECT_FALSE(integer_argument(TermRef("abc").cell));
    EXPECT_FALSE(integer_argument(TermRef("[1]").cell));
    EXPECT_FALSE(integer_argument(real_leaf(1.0).cell));
}

TEST_F(Values, LongIntegersAndBitLists) {
    EXPECT_EQ(integer_argument(TermRef("18446744073709551617").cell), 1);  // modulo 2^64
    EXPECT_EQ(integer_argument(TermRef("09223372036854775808").cell),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(integer_argument(TermRef("1000000000000000000").cell), 1000000000000000000);
    EXPECT_EQ(integer_argument(term("J K (J K K)").cell), 1);
    EXPECT_EQ(integer_argument(term("J K (J H K)").cell), -1);
    EXPECT_FALSE(integer_argument(term("J H K").cell));
    EXPECT_FALSE(integer_argument(term("J K S").cell));  // a malformed tail
    EXPECT_FALSE(integer_argument(term("K S").cell));
}

TEST_F(Values, IntegerResults) {
    EXPECT_EQ(leaf_text(integer_result(0)), "0");
    EXPECT_EQ(leaf_text(integer_result(-42)), "042");
    EXPECT_EQ(leaf_text(integer_result(std::numeric_limits<std::int64_t>::min())),
              "09223372036854775808");
    EXPECT_EQ(leaf_text(unsigned_result(18446744073709551615u)), "18446744073709551615");
    static const char kSpot = 0;
    TermRef address = pointer_result(&kSpot);
    EXPECT_EQ(pointer_argument(address.cell).value(), &kSpot);
    for (std::int64_t v : {0L, 1L, -1L, 123456789012345L, -999999999999999999L}) {
        EXPECT_EQ(integer_argument(integer_result(v).cell), v);
    }
}

TEST_F(Values, FloatsOnlyFromReals) {
    EXPECT_EQ(float_argument(real_leaf(2.5).cell), 2.5);
    EXPECT_FALSE(float_argument(TermRef("4").cell));
    EXPECT_FALSE(float_argument(TermRef("[4]").cell));
    for (double d : {0.0, -0.0, 1e300, -3.25, std::numeric_limits<double>::infinity()}) {
        TermRef r = float_result(d);
        EXPECT_EQ(classify(r), ValueKind::real);
        double back = float_argument(r.cell).value();
        EXPECT_EQ(std::memcmp(&back, &d, sizeof d), 0) << d;
    }
    double nan = std::nan("0x5");
    double back = float_argument(float_result(nan).cell).value();
    EXPECT_EQ(std::memcmp(&back, &nan, sizeof nan), 0);
}

TEST_F(Values, PointersIntoTextsAndFromIntegers) {
    TermRef post(Bytes("(c)abc", 6));
    char* p = pointer_argument(post.cell).value();
    EXPECT_EQ(std::string_view(p, 3), "abc");
    TermRef zits("[xyz]");
    EXPECT_EQ(pointer_argument(zits.cell).value(), leaf_chars(zits.cell));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(pointer_argument(TermRef("4096").cell).value()),
              4096u);
    EXPECT_FALSE(pointer_argument(term("[a] [b]").cell));  // no text of its own
    EXPECT_FALSE(pointer_argument(real_leaf(1.0).cell));
    EXPECT_FALSE(pointer_argument(TermRef("K").cell));
    EXPECT_FALSE(pointer_argument(TermRef("00").cell));
}

TEST_F(Values, TextsOfEveryKindThatHasOne) {
    EXPECT_EQ(text_argument(TermRef(Bytes("(d)a\0bc", 7)).cell), Bytes("a\0bc", 4));
    EXPECT_EQ(text_argument(TermRef("[a[p]b]").cell), "a[p]b");
    EXPECT_EQ(text_argument(term("[ab] ([c] [de])").cell), "abcde");
    static const char kText[] = "from memory";
    TermRef address(std::to_string(reinterpret_cast<std::uintptr_t>(kText)));
    EXPECT_EQ(text_argument(address.cell), "from memory");
    EXPECT_FALSE(text_argument(TermRef("0").cell));  // the null address
    EXPECT_FALSE(text_argument(real_leaf(1.0).cell));
    EXPECT_FALSE(text_argument(TermRef("I").cell));
}

TEST_F(Values, LongZitsTextNeedsNoStack) {
    TermRef t("[a]");
    for (int i = 0; i < 200000; ++i) t = make_pair(t, TermRef("[b]"));
    Bytes text = zits_text(t.cell);
    EXPECT_EQ(text.size(), 200001u);
    EXPECT_EQ(text.substr(0, 3), "abb");
}

}  // namespace
}  // namespace vesk::test
