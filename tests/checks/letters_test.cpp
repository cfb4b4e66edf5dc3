#include "checks/letters.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "../support/expect_outcome.hpp"
#include "checks/debug_log.hpp"
#include "sexpr.hpp"

namespace vesk {
namespace {

using test::expect_outcome;

using test::make_lambda;
using test::sx;
using test::sx_show;

// A definition's letters, with the log lines it would write.
std::optional<TermRef> letters_of(const TermRef& term, Bytes* log = nullptr) {
    Bytes lines;
    std::optional<TermRef> out = assign_letters("t", term, &lines);
    if (log != nullptr) *log = lines;
    return out;
}

Bytes renamed(const char* text) {
    std::optional<TermRef> out = letters_of(sx(text));
    return out ? sx_show(*out) : "place";
}

TEST(BoundNames, DistinctNamesInTheOrderMet) {
    BoundNames names = bound_names(sx("(\\ xs (\\ b ({ ys 1 (\\ xs (\\ [+] (\\ b K))))))"));
    EXPECT_EQ(names.renamed, (std::vector<Bytes>{"xs", "ys", "+"}));
    EXPECT_EQ(names.letters, (std::vector<Bytes>{"b"}));
    // Left part first: the binder in the function part comes before the argument's.
    BoundNames order = bound_names(sx("((\\ second 1) (\\ first 2))"));
    EXPECT_EQ(order.renamed, (std::vector<Bytes>{"second", "first"}));
}

TEST(AssignLetters, MultiLetterNamesTakeTheFirstFreeLetters) {
    EXPECT_EQ(renamed("(\\ xs xs)"), "(\\ a a)");
    EXPECT_EQ(renamed("(\\ xs (\\ a (\\ ys (ys a xs))))"), "(\\ b (\\ a (\\ c (c a b))))");
    EXPECT_EQ(renamed("({ acc 0 (\\ n (acc n)))"), "({ a 0 (\\ n (a n)))");
    EXPECT_EQ(renamed("(\\ _ _)"), "(\\ a a)");
}

TEST(AssignLetters, EveryLeafOfTheNameIsRenamedBoundOrNot) {
    // A global of the same name used in the same definition is renamed too.
    EXPECT_EQ(renamed("(g xs (\\ xs xs))"), "(g a (\\ a a))");
    EXPECT_EQ(renamed("(\\ K (K S))"), "(\\ a (a S))");
    // A bracketed binder binds its character; the same text elsewhere is data.
    EXPECT_EQ(renamed("(\\ [+] (+ 1 [+]))"), "(\\ a (a 1 [+]))");
}

TEST(AssignLetters, OneLetterNamesStayAndTermsWithoutOthersAreKept) {
    TermRef term = sx("(\\ x (\\ y (x y z)))");
    Bytes log;
    std::optional<TermRef> out = letters_of(term, &log);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->get(), term.get());
    EXPECT_EQ(log, "");
}

TermRef distinct_binders(int count) {
    TermRef body = leaf_term("0");
    for (int i = 0; i < count; ++i) {
        Bytes name = "n" + Bytes(1, static_cast<char>('a' + i % 26)) +
                     Bytes(1, static_cast<char>('a' + i / 26));
        body = make_lambda(leaf_term(name), std::move(body));
    }
    return body;
}

TEST(AssignLetters, RenamingAddsTheTermAsWrittenToTheLog) {
    Bytes log;
    ASSERT_TRUE(letters_of(sx("(\\ xs (g xs))"), &log).has_value());
    EXPECT_EQ(log, "First t: (\\xs (g xs))\n");
    // The line is written even when the names do not fit.
    ASSERT_FALSE(letters_of(distinct_binders(27), &log).has_value());
    EXPECT_EQ(log.compare(0, 9, "First t: "), 0);
    // With the log off nothing is printed, and the renaming is the same.
    TermRef term = sx("(\\ xs (g xs))");
    EXPECT_EQ(sx_show(*assign_letters("t", term, nullptr)), sx_show(*letters_of(term)));
    EXPECT_FALSE(assign_letters("t", distinct_binders(27), nullptr).has_value());
}

TEST(AssignLetters, TwentySixNamesFitTwentySevenDoNot) {
    EXPECT_TRUE(letters_of(distinct_binders(26)).has_value());
    EXPECT_FALSE(letters_of(distinct_binders(27)).has_value());
    // One-letter names count too.
    TermRef mixed = make_lambda(leaf_term("q"), distinct_binders(26));
    EXPECT_FALSE(letters_of(mixed).has_value());
    // The same name bound many times counts once.
    TermRef same = leaf_term("0");
    for (int i = 0; i < 40; ++i) same = make_lambda(leaf_term("xs"), std::move(same));
    EXPECT_TRUE(letters_of(same).has_value());
}

TEST(CheckLetters, PlaceErrorsForFunctionsAndTheMainExpression) {
    GlobalTable globals;
    globals.emplace("", sx("(\\ xs xs)"));
    globals.emplace("many", distinct_binders(27));
    Outcome out;
    ASSERT_FALSE(check_letters(globals, out));
    expect_outcome(out, {"place", "Place error in function many.", "many"});
    // Definitions before the failing one are already renamed.
    EXPECT_EQ(sx_show(globals.at("")), "(\\ a a)");

    GlobalTable top;
    top.emplace("", distinct_binders(30));
    Outcome top_out;
    ASSERT_FALSE(check_letters(top, top_out));
    EXPECT_EQ(top_out.say, "Place error.");
    EXPECT_EQ(top_out.vip, "");
}

TEST(CheckLetters, RenamingIsNotedInTheDebugLog) {
    Bytes name = "logged_" + std::to_string(::getpid());
    GlobalTable globals;
    globals.emplace(name, sx("(\\ xs xs)"));
    Outcome out;
    ASSERT_TRUE(check_letters(globals, out));
    std::optional<std::string> path = debug_log_path();
    ASSERT_TRUE(path) << "the tests run with the debug log on";
    std::ifstream in(*path, std::ios::binary);
    ASSERT_TRUE(in) << *path;
    std::stringstream log;
    log << in.rdbuf();
    EXPECT_NE(log.str().find("First " + name + ": (\\xs xs)\n"), Bytes::npos);
}

TEST(RenameToLetters, DeepTermsDoNotExhaustTheStack) {
    TermRef term = leaf_term("xs");
    for (int i = 0; i < 1000000; ++i) term = make_pair(leaf_term("g"), std::move(term));
    term = make_lambda(leaf_term("xs"), std::move(term));
    BoundNames names = bound_names(term);
    EXPECT_EQ(names.renamed, (std::vector<Bytes>{"xs"}));
    TermRef out = rename_to_letters(term, {{"xs", 'a'}});
    EXPECT_EQ(leaf_text(right(left(out))), "a");
    TermRef walk = right(out);
    while (is_pair(walk)) walk = right(walk);
    EXPECT_EQ(leaf_text(walk), "a");
}

}  // namespace
}  // namespace vesk
