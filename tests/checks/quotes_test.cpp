#include "checks/quotes.hpp"

#include <gtest/gtest.h>

#include "checks/pattern_lets.hpp"
#include "sexpr.hpp"

namespace vesk {
namespace {

using test::sx;
using test::sx_show;

Bytes quoted(const char* text) {
    return sx_show(rewrite_quotes(sx(text)));
}

TEST(Quotes, AQuoteBecomesItsTextPairedWithItsValue) {
    EXPECT_EQ(quoted("(` x)"), "(V [x] x)");
    EXPECT_EQ(quoted("(` (g x y))"), "(V [(g x y)] (g x y))");
    EXPECT_EQ(quoted("(f (` 12) 3)"), "(f (V [12] 12) 3)");
}

TEST(Quotes, InnerQuotesAreWrittenAsTheyStoodAndRewrittenInTheValue) {
    EXPECT_EQ(quoted("(` (` x))"), "(V [`x] (V [x] x))");
}

TEST(Quotes, TermsWithoutQuotesKeepTheirCells) {
    TermRef term = sx("(\\ x (g x (h 1)))");
    EXPECT_EQ(rewrite_quotes(term).get(), term.get());
    // A backtick that is not applied is an ordinary leaf.
    EXPECT_EQ(quoted("(g `)"), "(g `)");
}

TEST(Quotes, DeepTermsDoNotExhaustTheStack) {
    TermRef term = sx("(` z)");
    for (int i = 0; i < 1000000; ++i) term = make_pair(std::move(term), leaf_term("y"));
    TermRef out = rewrite_quotes(term);
    TermRef head = out;
    while (is_pair(head) && is_pair(left(head)) && leaf_text(left(left(head))) != "V") {
        head = left(head);
    }
    EXPECT_EQ(sx_show(head), "(V [z] z)");
}

// The one walk that does both rewrites gives what the quote pass and then
// the pattern-let pass give, however the two nest.
TEST(Quotes, OneWalkWithPatternLetsGivesBothPassesInTurn) {
    const char* cases[] = {
        "(` a)",
        "(\\ x (` x))",
        "(` ({ (x y) v (g x y)))",
        "({ (x y) (` v) (` (g x y)))",
        "({ (a b) (` ({ (c d) w (` c))) b)",
        "((` x) (` (` y)))",
    };
    GlobalTable globals;
    for (const char* text : cases) globals.emplace(text, sx(text));
    rewrite_quotes_and_pattern_lets(globals);
    for (const char* text : cases) {
        EXPECT_EQ(sx_show(globals.at(text)),
                  sx_show(rewrite_pattern_lets(rewrite_quotes(sx(text)))))
            << text;
    }
    EXPECT_EQ(sx_show(globals.at("(\\ x (` x))")), "(\\ x (V [x] x))");
}

// Only the way from a quote or pattern let up to the root is rebuilt: a
// definition with neither comes back as its own cell, the parts beside a
// rewrite stay the very cells they were, and a shared part is rewritten
// once for all its places.
TEST(Quotes, PartsWithNothingToRewriteKeepTheirCells) {
    TermRef plain = sx("(f (g x) (h 1))");
    TermRef beside = sx("(g x)");
    TermRef quoted = sx("(` y)");
    TermRef changed = make_pair(make_pair(beside, quoted), quoted);
    GlobalTable globals{{"plain", plain}, {"changed", changed}};
    rewrite_quotes_and_pattern_lets(globals);
    EXPECT_EQ(globals.at("plain").get(), plain.get());
    const TermRef& out = globals.at("changed");
    EXPECT_EQ(sx_show(out), "(g x (V [y] y) (V [y] y))");
    Term* head = left_cell(out.get());
    EXPECT_EQ(left_cell(head), beside.get());
    EXPECT_EQ(right_cell(head), right_cell(out.get()));
}

}  // namespace
}  // namespace vesk
