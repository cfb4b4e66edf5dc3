// The quick read of a definition must agree with its parse wherever it
// vouches for one: the same name and form, the free names and arity the
// checks find, and no check that could fail.
#include "front/scan_definition.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "../support/random_definitions.hpp"
#include "checks/arity.hpp"
#include "checks/free_names.hpp"
#include "checks/pattern_lets.hpp"
#include "front/brackets.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "runtime/definitions.hpp"

namespace vesk {
namespace {

std::optional<ScannedDefinition> scan(std::string_view piece) {
    return scan_definition(piece, 0, piece.size());
}

std::vector<std::string_view> names(std::initializer_list<std::string_view> list) {
    return list;
}

TEST(ScanDefinition, ReadsThePlainForm) {
    struct Row {
        const char* piece;
        int arity;
        std::vector<std::string_view> free;
    };
    const Row rows[] = {
        {"f\\x\\y\\x+y", 2, names({"+"})},
        {"f\\x\\go x(hh,1)", 1, names({"go", "hh"})},
        {"f\\x\\(y\\((z\\x)))", 3, names({})},
        {"f\\x\\y{x}y", 1, names({})},
        {"f\\p q{V 1 2}p*q", 0, names({"*", "H", "K", "V"})},
        {"f\\x\\`(x total)", 1, names({"V", "total"})},
        {"f\\x{ab,cd}!x", 0, names({"!", ",", "ab", "cd"})},
        {"f\\go;hh(x\\x)", 0, names({";", "go", "hh"})},
        {"f()\\x\\x", 0, names({"I"})},
        {"f\\[a b]12 Kx_y", 0, names({"K", "x_y"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.piece);
        std::optional<ScannedDefinition> s = scan(row.piece);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->written, "f");
        EXPECT_EQ(s->arity, row.arity);
        EXPECT_EQ(s->free, row.free);
    }
}

// Past the few names kept without repeats as they are met, the rest are
// sorted out at the end: each name once, in byte order.
TEST(ScanDefinition, ManyNamesEachOnce) {
    std::string piece = "f\\";
    for (int i = 0; i < 3000; ++i) {
        std::string name = {'n', static_cast<char>('a' + i % 26),
                            static_cast<char>('a' + i / 26 % 26), static_cast<char>('a' + i / 676)};
        piece += (i == 0 ? "" : " ") + name + " " + name;
    }
    std::optional<ScannedDefinition> s = scan(piece);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->free.size(), 3000u);
    EXPECT_TRUE(std::is_sorted(s->free.begin(), s->free.end()));
}

TEST(ScanDefinition, LeavesEverythingElseToTheParser) {
    const char* pieces[] = {
        "f\\x\\y",                                // a free one-letter name
        "f\\(xs\\xs) xs",                         // a bound name also used free
        "f\\1\\2",                                // a number as binder
        "f\\K\\K",                                // a capital as binder
        "f\\x y\\x",                              // a pair as lambda binder
        "f\\x+",                                  // an empty operand
        "f\\g()",                                 // an empty call list
        "f\\x{}x",                                // an empty brace list
        "f\\!",                                   // an affix around nothing
        "f\\!(a,b)",                              // commas in a group
        "f\\\xc8",                                // a byte outside ASCII
        "f\\x{1}",                                // a let with no body
        "F\\1",                                   // a capital's definition
        "f x\\1",                                 // no definition
        "f\\a\\b\\c\\d\\e\\g\\h\\i\\j\\k\\l\\a",  // eleven parameters
    };
    for (const char* piece : pieces) EXPECT_FALSE(scan(piece).has_value()) << piece;
}

TEST(ScanDefinition, AgreesWithTheParseOnRandomPieces) {
    testing::RandomDefinitions make(20261210);
    int vouched = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string raw = "0," + make.piece();
        Outcome out;
        if (!check_brackets(raw, out)) continue;
        Bytes text = normalise_layout(raw);
        std::vector<std::size_t> commas = top_level_commas(text);
        if (commas.size() != 1) continue;
        std::optional<ScannedDefinition> s = scan_definition(text, commas[0] + 1, text.size());
        if (!s) continue;
        ++vouched;
        SCOPED_TRACE(text);
        std::optional<ParsedDefinition> d = parse_definition_at(text, commas[0] + 1);
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->name, s->written);
        EXPECT_EQ(d->uncached, s->uncached);
        GlobalTable one;
        one.emplace("f", d->uncached ? make_pair(TermRef("I"), d->body) : d->body);
        rewrite_quotes_and_pattern_lets(one);
        const TermRef& term = one.begin()->second;
        EXPECT_EQ(leading_lambdas(term), s->arity);
        TermFacts facts = term_facts(term);
        EXPECT_FALSE(facts.funky.has_value());
        EXPECT_EQ(facts.free, NameList(s->free.begin(), s->free.end()));
        EXPECT_LE(facts.bound.renamed.size() + facts.bound.letters.size(), 26u);
        for (const Bytes& name : facts.free) {
            EXPECT_FALSE(name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') << name;
            for (const Bytes& bound : facts.bound.renamed) EXPECT_NE(name, bound);
        }
    }
    // Enough pieces were vouched for, and enough left alone, to mean something.
    EXPECT_GT(vouched, 5000);
    EXPECT_LT(vouched, 18000);
}

}  // namespace
}  // namespace vesk
