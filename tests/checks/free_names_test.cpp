#include "checks/free_names.hpp"

#include <gtest/gtest.h>

#include "sexpr.hpp"

namespace vesk {
namespace {

using test::make_lambda;
using test::sx;
using Names = NameList;

// The one walk gives what the funky check, the free names and the bound
// names each say of a term: the first funky binder in the funky check's
// order (a let's value before its body), and the bound names in first-met
// order, a shared cell read once for them.
TEST(TermFacts, OneWalkGivesWhatEachCheckSays) {
    const struct {
        const char* term;
        const char* funky;  // the printed funky binder, or null
        std::vector<Bytes> renamed;
    } cases[] = {
        {"(\\ xs ({ ys (g xs) (\\ [+] (+ ys))))", nullptr, {"xs", "ys", "+"}},
        {"({ ys (\\ (a b) a) ({ (c d) 1 c))", "(\\ (a b) a)", {"ys"}},
        {"(g (\\ 1 x) (\\ 2 y))", "(\\ 1 x)", {}},
        {"({ second ({ first 1 first) second)", nullptr, {"second", "first"}},
    };
    for (const auto& c : cases) {
        TermRef term = sx(c.term);
        TermFacts facts = term_facts(term);
        EXPECT_EQ(facts.funky.has_value(), c.funky != nullptr) << c.term;
        if (facts.funky && c.funky) {
            EXPECT_EQ(test::sx_show(*facts.funky), c.funky) << c.term;
        }
        EXPECT_EQ(facts.free, free_name_set(term)) << c.term;
        EXPECT_EQ(facts.bound.renamed, c.renamed) << c.term;
    }
    TermRef shared = sx("(\\ zs zs)");
    TermFacts twice = term_facts(make_pair(make_pair(shared, shared), sx("(\\ ws ws)")));
    EXPECT_EQ(twice.bound.renamed, (std::vector<Bytes>{"zs", "ws"}));
}

TEST(FreeNames, BindersHideTheirNamesOnlyInsideTheirScope) {
    EXPECT_EQ(free_name_set(sx("(\\ x (x y))")), (Names{"y"}));
    EXPECT_EQ(free_name_set(sx("((\\ x x) x)")), (Names{"x"}));
    EXPECT_EQ(free_name_set(sx("(\\ x ((\\ y (x y)) y))")), (Names{"y"}));
    // A let's value is outside its own binding; its body is inside.
    EXPECT_EQ(free_name_set(sx("({ x x (x z)")), (Names{"x", "z"}));
    EXPECT_EQ(free_name_set(sx("({ xs (f 1) (g xs)")), (Names{"f", "g"}));
}

TEST(FreeNames, OnlyNameLeavesCount) {
    // Numbers and bracket literals are data; the binder leaves are not looked up.
    EXPECT_EQ(free_name_set(sx("(+ 12 [ab])")), (Names{"+"}));
    EXPECT_EQ(free_name_set(sx("(\\ { \\)")), (Names{}));
    // The empty leaf and capitals are names like any other.
    EXPECT_EQ(free_name_set(sx("(g } K)")), (Names{"K", "g", "}"}));
}

TEST(FreeNames, ABracketedBinderBindsItsCharacter) {
    EXPECT_EQ(free_name_set(sx("(\\ [+] (+ 1 -))")), (Names{"-"}));
    // In expression position the same text is data.
    EXPECT_EQ(free_name_set(sx("(g [+])")), (Names{"g"}));
}

TEST(FreeNames, ABinderOfNoNameBindsNothing) {
    EXPECT_EQ(free_name_set(sx("(\\ 1 x)")), (Names{"x"}));
    EXPECT_EQ(free_name_set(sx("(\\ (f }) x)")), (Names{"f", "x", "}"}));
    EXPECT_EQ(free_name_set(sx("({ (1 y) v y)")), (Names{"v", "y"}));
}

TEST(FreeNames, TheListIsOrderedAndEndsInTheEmptyList) {
    TermRef list = free_names(sx("(g b a (\\ c c))"));
    std::vector<Bytes> seen;
    while (is_pair(list)) {
        seen.push_back(leaf_text(left(list)));
        list = right(list);
    }
    EXPECT_EQ(seen, (std::vector<Bytes>{"a", "b", "g"}));
    EXPECT_EQ(leaf_text(list), "()");
    EXPECT_EQ(leaf_text(free_names(sx("5"))), "()");
}

TEST(FreeNames, ASharedCellCountsInEveryScopeItAppearsIn) {
    TermRef shared = sx("(x y)");
    TermRef term = make_pair(make_lambda(leaf_term("x"), shared), shared);
    EXPECT_EQ(free_name_set(term), (Names{"x", "y"}));
    TermRef inside_only = make_lambda(leaf_term("x"), make_pair(shared, shared));
    EXPECT_EQ(free_name_set(inside_only), (Names{"y"}));
}

TEST(FreeNames, SharedGraphsCostTheirCellsNotTheirUnfoldedSize) {
    // Each level uses the one below twice: 2^200 paths through 400 cells.
    TermRef term = leaf_term("a");
    for (int i = 0; i < 200; ++i) {
        Bytes bound = (i % 2 == 0) ? "b" : "c";
        term = make_lambda(leaf_term(bound), make_pair(term, term));
    }
    EXPECT_EQ(free_name_set(term), (Names{"a"}));
}

TEST(FreeNames, NestingPastTheShortScanStaysExact) {
    auto name = [](int i) {
        return Bytes{'v', static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 26)};
    };
    for (int depth : {15, 16, 17, 18, 40}) {
        TermRef body = leaf_term("free");
        for (int i = 0; i < depth; ++i) body = make_pair(std::move(body), leaf_term(name(i)));
        // Rebinding the outermost name deep inside and leaving keeps it bound.
        body = make_pair(std::move(body), make_lambda(leaf_term(name(0)), leaf_term(name(0))));
        body = make_pair(std::move(body), leaf_term(name(0)));
        for (int i = depth; i-- > 0;) body = make_lambda(leaf_term(name(i)), std::move(body));
        // Out of the nest again, its names are free once more.
        TermRef term = make_pair(std::move(body), leaf_term(name(depth - 1)));
        EXPECT_EQ(free_name_set(term), (Names{"free", name(depth - 1)})) << depth;
    }
}

TEST(FreeNames, DeepTermsDoNotExhaustTheStack) {
    TermRef term = leaf_term("z");
    for (int i = 0; i < 1000000; ++i) {
        term = make_lambda(leaf_term("x"), make_pair(leaf_term("x"), std::move(term)));
    }
    EXPECT_EQ(free_name_set(term), (Names{"z"}));
}

}  // namespace
}  // namespace vesk
