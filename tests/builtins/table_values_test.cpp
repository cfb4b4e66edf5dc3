// The conventions every built-in shares: kinds of values, the call
// context's results and the conversions to and from C values.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "../engine/engine_support.hpp"
#include "builtins/values.hpp"
#include "diagnostics/error_value.hpp"
#include "engine/annotate.hpp"
#include "runtime/call.hpp"
#include "terms/leaf_text.hpp"

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

TEST_F(Values, CallContextResults) {
    Call call{{}, rt()};
    EXPECT_EQ(leaf_text(call.fail()), "Z");
    EXPECT_EQ(leaf_text(call.unit()), "I");
    EXPECT_EQ(leaf_text(call.truth(true)), "K");
    EXPECT_EQ(leaf_text(call.truth(false)), "H");
    EXPECT_EQ(call.truth(true).cell, call.truth(true).cell);  // the runtime's shared leaf
    Outcome out;
    out.code = "place";
    out.say = "said";
    TermRef error = call.error(out);
    EXPECT_TRUE(is_error_value(error));
    EXPECT_EQ(decode_error_value(leaf_view(right_cell(error.cell))).say, "said");
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

// Short numbers are read a word at a time: every length up to and past the
// word sizes, signed or not, and a stray byte at each position of each.
TEST_F(Values, SmallIntegersAtEveryLengthAndStrayByte) {
    for (std::size_t n = 1; n <= 20; ++n) {
        for (bool negative : {false, true}) {
            Bytes digits;
            for (std::size_t i = 0; i < n; ++i)
                digits.push_back(static_cast<char>('1' + (i * 7) % 9));
            Bytes text = negative ? "0" + digits : digits;
            std::optional<std::int64_t> expected;
            if (n <= 18) expected = (negative ? -1 : 1) * std::stoll(digits);
            EXPECT_EQ(small_integer(leaf_term(text).cell), expected) << text;
            for (std::size_t at = negative ? 1 : 0; at < text.size(); ++at) {
                for (char stray : {'/', ':', '\0', '\xff', 'a'}) {
                    Bytes bad = text;
                    bad[at] = stray;
                    EXPECT_FALSE(small_integer(leaf_term(bad).cell)) << bad << " at " << at;
                }
            }
        }
    }
    EXPECT_EQ(small_integer(TermRef("0").cell), 0);
    EXPECT_FALSE(small_integer(TermRef("00").cell));
    EXPECT_FALSE(small_integer(TermRef("[1]").cell));
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
    EXPECT_EQ(readable_address(address.cell).value(), &kSpot);
    for (std::int64_t v : {0L, 1L, -1L, 9L, 10L, -10L, 9999L, 10000L, 123456789012345L,
                           -999999999999999999L, std::numeric_limits<std::int64_t>::max()}) {
        EXPECT_EQ(leaf_text(integer_result(v)),
                  (v < 0 ? "0" : "") + std::to_string(v < 0 ? -v : v));
        EXPECT_EQ(integer_argument(integer_result(v).cell), v);
    }
    // A result read back by value agrees with its text read afresh, on both
    // sides of the 18 digits that keep their value beside them.
    std::int64_t power = 1;
    for (int k = 0; k <= 18; ++k) {
        for (std::int64_t v : {power, power - 1, -power, 1 - power}) {
            TermRef made = integer_result(v);
            EXPECT_EQ(small_integer(made.cell), small_integer(leaf_term(leaf_text(made)).cell))
                << v;
        }
        if (k < 18) power *= 10;
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

TEST_F(Values, AddressesIntoTextsAndFromIntegers) {
    TermRef post(Bytes("(c)abc", 6));
    EXPECT_EQ(std::string_view(readable_address(post.cell).value(), 3), "abc");
    EXPECT_EQ(writable_address(post.cell).value(), readable_address(post.cell).value());
    TermRef zits("[xyz]");
    EXPECT_EQ(readable_address(zits.cell).value(), leaf_chars(zits.cell));
    EXPECT_FALSE(writable_address(zits.cell));  // code the machine unfolds: refused
    for (auto* address : {readable_address(TermRef("4096").cell).value()}) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(address), 4096u);
    }
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(writable_address(TermRef("4096").cell).value()),
              4096u);
    for (const char* none : {"K", "00"}) {
        EXPECT_FALSE(readable_address(TermRef(none).cell)) << none;
        EXPECT_FALSE(writable_address(TermRef(none).cell)) << none;
    }
    EXPECT_FALSE(readable_address(term("[a] [b]").cell));  // no text of its own
    EXPECT_FALSE(readable_address(real_leaf(1.0).cell));
}

// Writes through the addresses a built-in may hand out, over every byte a
// post's payload has, into unshared and shared leaves: the leaf keeps its
// kind and length, every holder sees the bytes, and freeing it stays inside
// its block (the sanitizer build checks the last part).
TEST_F(Values, WritesIntoTextsKeepCellsWhole) {
    struct Case {
        Bytes text;
        std::size_t holders;
    };
    const Case cases[] = {
        {Bytes("(c)abc", 6), 1}, {Bytes("(c)abc", 6), 3}, {"(_)", 1}, {"(b)" + Bytes(1, '\0'), 2}};
    for (const Case& c : cases) {
        TermRef post(Bytes(c.text));
        std::vector<TermRef> holders(c.holders, post);
        std::size_t length = leaf_length(post.cell);
        std::size_t payload = counted_payload(post.cell).size();
        char* at = writable_address(post.cell).value();
        for (std::size_t i = 0; i < payload; ++i) at[i] = i % 2 ? ')' : '(';
        EXPECT_EQ(leaf_kind(post.cell), LeafKind::counted);
        EXPECT_EQ(leaf_length(post.cell), length);
        EXPECT_EQ(classify(post), ValueKind::post);
        for (const TermRef& h : holders) {
            EXPECT_EQ(counted_payload(h.cell), std::string_view(at, payload));
        }
    }
    // A raw address may point anywhere, a leaf's first byte included: the
    // cell keeps its kind and size all the same.
    TermRef zits("[xyz]");
    TermRef copy = zits;
    const_cast<char*>(leaf_chars(zits.cell))[0] = 'q';
    EXPECT_EQ(leaf_kind(copy.cell), LeafKind::bracket);
    EXPECT_EQ(leaf_length(copy.cell), 5u);
    EXPECT_EQ(classify(copy), ValueKind::zits);
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
