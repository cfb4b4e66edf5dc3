#include "checks/pattern_lets.hpp"

#include <gtest/gtest.h>

#include "sexpr.hpp"

namespace vesk {
namespace {

using test::sx;
using test::sx_show;

Bytes rewritten(const char* text) {
    return sx_show(rewrite_pattern_lets(sx(text)));
}

TEST(PatternLets, APairOfNamesBecomesThreeLets) {
    EXPECT_EQ(rewritten("({ (x y) v (g x y))"), "({ y v ({ x (y K) ({ y (y H) (g x y))))");
    // The bound parts stay as written; the uses take the bare name.
    EXPECT_EQ(rewritten("({ (xs [+]) v b)"), "({ [+] v ({ xs (+ K) ({ [+] (+ H) b)))");
}

TEST(PatternLets, OtherLetsAndTermsStayAsTheyAre) {
    TermRef simple = sx("({ x v (\\ y (x y)))");
    EXPECT_EQ(rewrite_pattern_lets(simple).get(), simple.get());
    EXPECT_EQ(rewritten("({ (1 y) v b)"), "({ (1 y) v b)");
    EXPECT_EQ(rewritten("({ (f x y) v b)"), "({ (f x y) v b)");
    EXPECT_EQ(rewritten("(\\ (x y) b)"), "(\\ (x y) b)");
}

TEST(PatternLets, InnerLetsAreRewrittenFirst) {
    EXPECT_EQ(rewritten("({ (a b) ({ (c d) w c) ({ (e f) b e))"),
              "({ b ({ d w ({ c (d K) ({ d (d H) c))) ({ a (b K) ({ b (b H) "
              "({ f b ({ e (f K) ({ f (f H) e))))))");
}

TEST(PatternLets, DeepTermsDoNotExhaustTheStack) {
    TermRef term = sx("n");
    for (int i = 0; i < 1000000; ++i) {
        term = make_pair(make_pair(make_pair(leaf_term("{"), sx("(p q)")), leaf_term("v")),
                         std::move(term));
    }
    TermRef out = rewrite_pattern_lets(term);
    EXPECT_EQ(leaf_text(right(left(left(out)))), "q");
}

}  // namespace
}  // namespace vesk
