#include "checks/sharing.hpp"

#include <gtest/gtest.h>

#include "../support/test_runtime.hpp"
#include "sexpr.hpp"

namespace vesk {
namespace {

using test::rt;

using test::make_lambda;
using test::sx;
using test::sx_show;

TEST(Sharing, EqualSubtermsBecomeOneCell) {
    clear_sharing_table(rt().sharing);
    TermRef term = share_term(rt().sharing, sx("(f (g x) (g x) (h (g x)))"));
    TermRef first = right(left(left(term)));
    TermRef second = right(left(term));
    TermRef third = right(right(term));
    EXPECT_EQ(sx_show(first), "(g x)");
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first.get(), third.get());
    EXPECT_EQ(sx_show(term), "(f (g x) (g x) (h (g x)))");
}

TEST(Sharing, LaterTermsReuseTheTable) {
    clear_sharing_table(rt().sharing);
    TermRef a = share_term(rt().sharing, sx("(\\ x (plus x 1))"));
    TermRef b = share_term(rt().sharing, sx("(k (\\ x (plus x 1)))"));
    EXPECT_EQ(right(b).get(), a.get());
    EXPECT_EQ(share_term(rt().sharing, sx("1")).get(), right(right(a)).get());
    // A term entered once comes back as itself.
    TermRef c = share_term(rt().sharing, sx("(brand new)"));
    EXPECT_EQ(share_term(rt().sharing, c).get(), c.get());
}

// Renaming on the way gives the very cells that renaming first and sharing
// the copy give: bracketed binders, names used unbound and shared subterms.
TEST(Sharing, RenamingOnTheWayGivesTheCellsOfRenamingFirst) {
    const struct {
        const char* term;
        LetterChoice choice;
    } cases[] = {
        {"(\\ xs (g xs xs))", {{"xs", 'a'}}},
        {"(\\ [+] (+ 1 [+]))", {{"+", 'a'}}},
        {"({ [*] 2 (\\ ys (* ys [*])))", {{"*", 'b'}, {"ys", 'a'}}},
        {"(\\ x (x y))", {}},
    };
    for (const auto& c : cases) {
        clear_sharing_table(rt().sharing);
        TermRef first = share_term(rt().sharing, rename_to_letters(sx(c.term), c.choice));
        TermRef fused = share_renamed(rt().sharing, sx(c.term), c.choice);
        EXPECT_EQ(fused.get(), first.get()) << c.term << " gave " << sx_show(fused);
    }
    // One leaf cell in many places, as the parser leaves a name, is renamed
    // in every place; a leaf cell of another text beside it stays itself.
    TermRef xs = leaf_term("xs");
    TermRef g = leaf_term("g");
    TermRef many = make_pair(make_pair(make_pair(g, xs), make_pair(g, xs)), xs);
    clear_sharing_table(rt().sharing);
    TermRef once = share_renamed(rt().sharing, make_lambda(xs, many), {{"xs", 'a'}});
    EXPECT_EQ(sx_show(once), "(\\ a (g a (g a) a))");
    // A subterm with two owners is renamed once and stays one cell.
    clear_sharing_table(rt().sharing);
    TermRef inner = sx("(f xs)");
    TermRef term = share_renamed(rt().sharing, make_pair(inner, inner), {{"xs", 'q'}});
    EXPECT_EQ(sx_show(term), "(f q (f q))");
    EXPECT_EQ(left(term).get(), right(term).get());
}

// A value kept in the table may hold a child that was not a value and left
// it; an equal term shared later still comes back as that value's cell.
TEST(Sharing, AKeptValueIsFoundThroughChildrenThatLeftTheTable) {
    clear_sharing_table(rt().sharing);
    TermRef kept = share_term(rt().sharing, sx("(\\ x (I 1))"));
    keep_shared_values(rt().sharing, rt().globals);
    TermRef child = share_term(rt().sharing, sx("(I 1)"));
    ASSERT_NE(child.get(), right(kept).get()) << "the child is expected to have left the table";
    EXPECT_EQ(share_term(rt().sharing, sx("(\\ x (I 1))")).get(), kept.get());
}

// Room made ahead keeps every entry, and sharing fills it without doubling.
TEST(Sharing, RoomMadeAheadKeepsTheEntries) {
    clear_sharing_table(rt().sharing);
    TermRef before = share_term(rt().sharing, sx("(f (g x) y)"));
    reserve_sharing(rt().sharing, 100000);
    std::size_t size = rt().sharing.slots.size();
    EXPECT_GE(size, 200000u);
    EXPECT_EQ(share_term(rt().sharing, sx("(f (g x) y)")).get(), before.get());
    for (int i = 0; i < 1000; ++i) {
        (void)share_term(rt().sharing, make_pair(leaf_term("h"), leaf_term(std::to_string(i))));
    }
    EXPECT_EQ(rt().sharing.slots.size(), size);
    clear_sharing_table(rt().sharing);
}

TEST(Sharing, DifferentTermsStayApart) {
    clear_sharing_table(rt().sharing);
    TermRef a = share_term(rt().sharing, sx("(g x y)"));
    TermRef b = share_term(rt().sharing, sx("(g y x)"));
    TermRef c = share_term(rt().sharing, sx("(g x)"));
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(left(a).get(), c.get());
    EXPECT_NE(left(b).get(), c.get());
    std::string binary("[a\0b]", 5);
    EXPECT_NE(share_term(rt().sharing, leaf_term(binary)).get(),
              share_term(rt().sharing, sx("[a]")).get());
}

TEST(Sharing, DeepAndWideTermsAreShared) {
    clear_sharing_table(rt().sharing);
    TermRef deep = leaf_term("z");
    for (int i = 0; i < 1000000; ++i) deep = make_pair(leaf_term("g"), std::move(deep));
    TermRef twin = leaf_term("z");
    for (int i = 0; i < 1000000; ++i) twin = make_pair(leaf_term("g"), std::move(twin));
    TermRef a = share_term(rt().sharing, deep);
    TermRef b = share_term(rt().sharing, twin);
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(left(a).get(), left(right(a)).get());
}

// A memo carried from one definition to the next changes no cell: the
// definitions, renamed or not and sharing leaf cells as parsed ones do, come
// back as the very cells each would get on its own, in turn, from the table.
TEST(Sharing, AMemoAcrossDefinitionsGivesTheSameCells) {
    TermRef xs = leaf_term("xs");
    TermRef g = leaf_term("g");
    auto definition = [&](const char* other) {
        return make_lambda(xs, make_pair(make_pair(g, xs), sx(other)));
    };
    const struct {
        const char* other;
        LetterChoice choice;
    } cases[] = {{"(g 1)", {{"xs", 'a'}}}, {"(h xs)", {}}, {"(g 1)", {{"xs", 'b'}}}, {"g", {}}};
    clear_sharing_table(rt().sharing);
    std::vector<TermRef> plain;
    for (const auto& c : cases)
        plain.push_back(share_renamed(rt().sharing, definition(c.other), c.choice));
    clear_sharing_table(rt().sharing);
    SharingMemo memo;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        TermRef with_memo =
            share_renamed(rt().sharing, definition(cases[i].other), cases[i].choice, &memo);
        EXPECT_EQ(compare_terms(with_memo, plain[i]), 0) << sx_show(with_memo);
        EXPECT_EQ(with_memo.get(), share_term(rt().sharing, plain[i]).get()) << i;
    }
}

}  // namespace
}  // namespace vesk
