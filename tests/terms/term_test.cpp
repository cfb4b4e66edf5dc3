#include "terms/term.hpp"

#include <gtest/gtest.h>

#include "terms/cells.hpp"

namespace vesk {
namespace {

TEST(TermLeaf, SpanCachesNumberAndBracketLengths) {
    EXPECT_EQ(span_of(TermRef("0").cell), 1u);
    EXPECT_EQ(span_of(TermRef("[ab]").cell), 4u);
    EXPECT_EQ(span_of(TermRef("abc").cell), 0u);
    TermRef t("[a]");
    EXPECT_TRUE(is_leaf_cell(t.cell));
    EXPECT_EQ(annotation_byte(t.cell), 0);
    EXPECT_EQ(refs_of(t.cell), 1u);
}

TEST(TermLeaf, TextsKeepNulBytesByKind) {
    Bytes raw(" \x01\x00\x02\x00\x00\x00\x00\x07", 9);
    EXPECT_EQ(leaf_text(TermRef(Bytes(raw))), raw);
    Bytes counted("(b)\0z", 5);
    EXPECT_EQ(leaf_text(TermRef(Bytes(counted))), counted);
    Bytes longer("(b)xyz", 6);  // kept to its kind's length
    EXPECT_EQ(leaf_text(TermRef(Bytes(longer))), "(b)xy");
    EXPECT_EQ(leaf_text(TermRef("()")), "()");
    Bytes bracket("[a\0b]", 5);
    EXPECT_EQ(leaf_text(TermRef(Bytes(bracket))), bracket);
    Bytes name("ab\0cd", 5);  // a name ends at its first NUL
    EXPECT_EQ(leaf_text(TermRef(Bytes(name))), "ab");
    Bytes consumed = "xyz";
    TermRef r(std::move(consumed));
    EXPECT_EQ(leaf_text(r), "xyz");
}

TEST(TermLeaf, HugeNumberLeafHasNoSpanButFullText) {
    Bytes digits(std::size_t{1} << 26, '7');
    TermRef t(std::move(digits));
    EXPECT_EQ(span_of(t.cell), 0u);
    EXPECT_EQ(leaf_view(t.cell).size(), std::size_t{1} << 26);
}

TEST(TermPair, ChildrenAndCounts) {
    TermRef a("a");
    TermRef b("b");
    TermRef p = apply(a, b);
    EXPECT_TRUE(is_pair(p));
    EXPECT_EQ(refs_of(a.cell), 2u);
    EXPECT_EQ(left(p).cell, a.cell);
    EXPECT_EQ(right(p).cell, b.cell);
    EXPECT_EQ(leaf_text(p), "");
    EXPECT_EQ(first_char(p), 0);
    p = a;  // releasing the pair leaves the shared children alive
    EXPECT_EQ(refs_of(a.cell), 2u);
    EXPECT_EQ(refs_of(b.cell), 1u);
    p = p;
    EXPECT_EQ(refs_of(a.cell), 2u);
    TermRef abc = apply(a, b, a);
    EXPECT_EQ(right(abc).cell, a.cell);
    EXPECT_EQ(right(left(abc)).cell, b.cell);
}

TEST(TermPair, ReleasingLongChainsDoesNotRecurse) {
    CellCounts before = cell_counts();
    {
        TermRef chain("K");
        for (int i = 0; i < 10'000'000; ++i) chain = make_pair(TermRef("x"), std::move(chain));
        TermRef left_chain("K");
        for (int i = 0; i < 1'000'000; ++i)
            left_chain = make_pair(std::move(left_chain), TermRef("y"));
        EXPECT_EQ(compare_terms(left_chain, left_chain), 0);
    }
    EXPECT_EQ(cell_counts().live, before.live);
}

TEST(TermCompare, OrdersLeavesPairsAndPrefixes) {
    EXPECT_EQ(compare_terms(TermRef("ab"), TermRef("ab")), 0);
    EXPECT_EQ(compare_terms(TermRef("ab"), TermRef("abc")), 1);
    EXPECT_EQ(compare_terms(TermRef("abc"), TermRef("ab")), -1);
    EXPECT_EQ(compare_terms(TermRef("b"), TermRef("a")), -1);
    TermRef pair = apply(TermRef("a"), TermRef("b"));
    EXPECT_EQ(compare_terms(TermRef("zz"), pair), 1);
    EXPECT_EQ(compare_terms(pair, TermRef("zz")), -1);
    EXPECT_EQ(compare_terms(apply(TermRef("a"), TermRef("c")), pair), -1);
    EXPECT_EQ(compare_terms(apply(TermRef("a"), TermRef("b")), pair), 0);
}

TEST(TermCompare, CountedLeavesCompareTheirPayloads) {
    EXPECT_EQ(compare_terms(TermRef("(b)xy"), TermRef("(b)xz")), 1);
    EXPECT_EQ(compare_terms(TermRef("(b)xy"), TermRef("(b)xy")), 0);
    EXPECT_EQ(compare_terms(TermRef("(a)x"), TermRef("(b)xy")), 1);
}

TEST(TermCompare, DeepSpinesOnBothSides) {
    TermRef a("K");
    TermRef b("K");
    for (int i = 0; i < 1'000'000; ++i) {
        a = make_pair(TermRef("x"), std::move(a));
        b = make_pair(TermRef("x"), std::move(b));
    }
    EXPECT_EQ(compare_terms(a, b), 0);
    b = make_pair(TermRef("x"), std::move(b));
    EXPECT_EQ(compare_terms(a, b), 1);  // a's leaf K meets b's pair (x K)
}

TEST(TermCells, CountLiveCells) {
    CellCounts before = cell_counts();
    {
        TermRef t = apply(TermRef("f"), TermRef("1"), TermRef("[2]"));
        EXPECT_EQ(cell_counts().live, before.live + 5);
    }
    EXPECT_EQ(cell_counts().live, before.live);
}

TEST(TermDeath, BrokenInvariantsAssert) {
    EXPECT_DEATH(set_arity(TermRef("a").cell, 12), "ASSERTION FAILED:term.cpp:");
    EXPECT_DEATH(set_span(TermRef("a").cell, 1u << 26), "ASSERTION FAILED:term.cpp:");
    EXPECT_DEATH(left(TermRef("a")), "ASSERTION FAILED:term.cpp:");
}

}  // namespace
}  // namespace vesk
