// The term and value built-ins, one row per kind case and failure case:
// each row is a built-in, its arguments and the result it must give.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "engine/unfold.hpp"
#include "front/printer.hpp"
#include "terms_support.hpp"

namespace vesk::test {
namespace {

using Terms = EngineTest;

struct Row {
    const char* name;
    std::vector<TermRef> args;
    TermRef want;
    int line;
};

void run_rows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        TermRef got = call_with(row.name, row.args);
        EXPECT_TRUE(same_term(got, row.want))
            << row.name << " (line " << row.line << "): got " << show(got) << ", want "
            << show(row.want);
    }
}

#define ROW(name, ...) Row{name, __VA_ARGS__, __LINE__}

TEST_F(Terms, TypeNamesEveryKind) {
    run_rows({
        ROW("type", {n("3")}, z("hint")),
        ROW("type", {r(1.5)}, z("real")),
        ROW("type", {z("")}, z("zits")),
        ROW("type", {t("K")}, z("void")),
        ROW("type", {p("ab")}, z("post")),
        ROW("type", {n("005")}, z("numb")),
        ROW("type", {t("J K K")}, z("hint")),
        ROW("type", {t("J H K")}, z("numb")),
        ROW("type", {t("[a] [b]")}, z("zits")),
    });
    // The names are the sharing table's copies: one cell for each.
    TermRef a = call_with("type", {n("3")}), b = call_with("type", {n("4")});
    EXPECT_EQ(a.cell, b.cell);
}

TEST_F(Terms, RealFromEveryKind) {
    TermRef one = r(1.25);
    run_rows({
        ROW("real", {one}, one),
        ROW("real", {p("2.5")}, r(2.5)),
        ROW("real", {p("2.5x")}, r(2.5)),
        ROW("real", {p(std::string_view("7\0" "1", 3))}, r(7)),  // strtod stops at the NUL
        ROW("real", {z("3.25")}, r(3.25)),
        ROW("real", {z("abc")}, r(0)),
        ROW("real", {n("7")}, r(7)),
        ROW("real", {n("07")}, r(-7)),
        ROW("real", {n("005")}, r(1)),  // the widening of 1
        ROW("real", {n("001")}, r(0)),
        ROW("real", {real_tree(r(-2.75))}, r(-2.75)),
        ROW("real", {t("K")}, t("Z")),
        ROW("real", {t("V K H")}, t("Z")),
    });
    EXPECT_EQ(call_with("real", {one}).cell, one.cell);
}

TEST_F(Terms, ZitsFromEveryKind) {
    run_rows({
        ROW("zits", {n("91")}, leaf_term("[[q]]")),
        ROW("zits", {n("93")}, leaf_term("[[r]]")),
        ROW("zits", {n("10")}, leaf_term("[\n]")),
        ROW("zits", {n("97")}, z("a")),
        ROW("zits", {n("353")}, z("a")),  // the low eight bits
        ROW("zits", {p("ab")}, z("ab")),
        ROW("zits", {p("[a]")}, z("[a]")),
        ROW("zits", {p("a\nb")}, t("Z")),
        ROW("zits", {p("a]")}, t("Z")),
        ROW("zits", {p("][")}, t("Z")),
        ROW("zits", {r(1.5)}, z("1.500000e+00")),
        ROW("zits", {t("[a] ([b] [c])")}, z("abc")),
        ROW("zits", {n("005")}, t("Z")),
        ROW("zits", {bracket_list(z("a[b]c"))}, z("a[b]c")),
        ROW("zits", {bracket_list(z(""))}, z("")),
        ROW("zits", {bracket_list(z("a"))}, z("a")),  // ((J K) list): integer-shaped
        ROW("zits", {t("J K K")}, z(std::string_view("\0", 1))),  // but this is the integer 0
        ROW("zits", {bracket_list(leaf_term("[x\n[[q]]y]"))}, leaf_term("[x\n[[q]]y]")),
        ROW("zits", {t("S")}, t("Z")),
        ROW("zits", {t("J K S")}, t("Z")),
    });
}

TEST_F(Terms, InitFromEveryKind) {
    double one = 1.0;
    TermRef post = p("abc");
    run_rows({
        ROW("init", {post}, post),
        ROW("init", {r(1.0)}, p(std::string_view(reinterpret_cast<const char*>(&one), 8))),
        ROW("init", {n("65")}, p("A")),
        ROW("init", {n("321")}, p("A")),
        ROW("init", {n("01")}, p("\xff")),
        ROW("init", {z("a[q]")}, p("a[q]")),
        ROW("init", {n("004")}, t("Z")),
        ROW("init", {counted_unfold(p("abcde"))}, p("abcde")),
        ROW("init", {counted_unfold(p("A"))}, p("A")),
        ROW("init", {counted_unfold(p(""))}, p("")),
        ROW("init", {t("J 97 (J 98 K)")}, p("ab")),  // the list lots gives a post
        ROW("init", {t("J 256 K")}, t("Z")),
        ROW("init", {t("V (J (J I H) (J H H)) (J (J H H) (J I K))")}, t("Z")),  // K is no bit here
        ROW("init", {t("S")}, t("Z")),
    });
}

TEST_F(Terms, CapeBetweenEscapedAndRaw) {
    run_rows({
        ROW("cape", {z("a[q]b")}, p("a[b")),
        ROW("cape", {z("x[p][r]")}, p("x\n]")),
        ROW("cape", {leaf_term("[a]b]")}, t("Z")),
        ROW("cape", {z("a[z]")}, t("Z")),
        ROW("cape", {z("[q]") /* the text [q] */}, p("[")),
        ROW("cape", {z("[[q]]")}, t("Z")),  // a group, not an escape
        ROW("cape", {t("[a[q]] [b]")}, p("a[b")),
        ROW("cape", {p("a[b]\n")}, leaf_term("[a[q]b[r]\n]")),
        ROW("cape", {n("3")}, t("Z")),
        ROW("cape", {r(1)}, t("Z")),
    });
}

TEST_F(Terms, RankMeasures) {
    run_rows({
        ROW("rank", {z("abc")}, n("3")),
        ROW("rank", {z("")}, n("0")),
        ROW("rank", {t("[ab] [c]")}, n("3")),
        ROW("rank", {r(2)}, n("8")),
        ROW("rank", {p("abcd")}, n("4")),
        ROW("rank", {n("042")}, n("3")),
        ROW("rank", {n("0")}, n("1")),
        ROW("rank", {n("0012")}, n("4")),
        ROW("rank", {t("J K (J K K)")}, n("1")),  // the integer 1
        ROW("rank", {t("K")}, t("Z")),
    });
}

TEST_F(Terms, LookReadsOneElement) {
    // 1.0 is 0x3ff0000000000000: bits 52 to 61 set.
    run_rows({
        ROW("look", {z("abc"), n("01")}, n("99")),
        ROW("look", {z("abc"), n("03")}, n("97")),
        ROW("look", {z("abc"), n("3")}, t("Z")),
        ROW("look", {z("abc"), n("04")}, t("Z")),
        ROW("look", {t("[ab] [c]"), n("2")}, n("99")),
        ROW("look", {p("a\xc8"), n("1")}, n("200")),
        ROW("look", {n("5"), n("0")}, t("K")),  // 5 is the list K K K H
        ROW("look", {n("5"), n("3")}, t("H")),
        ROW("look", {n("5"), n("01")}, t("H")),
        ROW("look", {n("5"), n("4")}, t("Z")),
        ROW("look", {n("00"), n("0")}, t("H")),
        ROW("look", {r(1), n("52")}, t("K")),
        ROW("look", {r(1), n("51")}, t("H")),
        ROW("look", {r(1), n("63")}, t("H")),
        ROW("look", {r(-1), n("01")}, t("K")),  // from 64: the sign bit
        ROW("look", {r(1), n("064")}, t("H")),
        ROW("look", {r(1), n("64")}, t("H")),
        ROW("look", {r(1), n("65")}, t("Z")),
        ROW("look", {r(1), n("065")}, t("Z")),
        ROW("look", {z("abc"), z("a")}, t("Z")),
        ROW("look", {t("K"), n("0")}, t("Z")),
    });
}

TEST_F(Terms, TrimCutsTexts) {
    run_rows({
        ROW("trim", {z("hello"), n("1"), n("3")}, z("el")),
        ROW("trim", {z("hello"), n("03"), n("01")}, z("ll")),
        ROW("trim", {z("hello"), n("3"), n("1")}, t("Z")),
        ROW("trim", {z("hello"), n("2"), n("2")}, z("")),
        ROW("trim", {z("hello"), n("0"), n("5")}, z("hello")),
        ROW("trim", {z("hello"), n("0"), n("6")}, t("Z")),
        ROW("trim", {z("hello"), n("06"), n("1")}, t("Z")),
        ROW("trim", {p("hello"), n("1"), n("3")}, p("el")),
        ROW("trim", {p("hello"), n("4"), n("4")}, p("")),
        ROW("trim", {t("[he] [llo]"), n("1"), n("4")}, z("ell")),
        ROW("trim", {z("a[b]c"), n("1"), n("4")}, z("[b]")),
        ROW("trim", {z("a[b]c"), n("0"), n("3")}, t("Z")),  // would cut the group
        ROW("trim", {n("12345"), n("1"), n("2")}, t("Z")),
        ROW("trim", {z("abc"), z("a"), n("2")}, t("Z")),
    });
}

TEST_F(Terms, LeafLeftRghtOnTextsAndPairForms) {
    TermRef xj = t("X J");
    auto form = [&](const TermRef& list) { return apply(TermRef("V"), xj, list); };
    TermRef list = bracket_list(z("ab"));
    TermRef init = right(left(list)), last = right(list);
    TermRef pair = t("[a] [bc]");
    run_rows({
        ROW("leaf", {z("")}, t("K")),
        ROW("leaf", {z("a")}, t("H")),
        ROW("leaf", {pair}, t("H")),
        ROW("leaf", {form(t("K"))}, t("K")),
        ROW("leaf", {form(list)}, t("H")),
        ROW("leaf", {t("V K K")}, t("Z")),
        ROW("leaf", {n("3")}, t("Z")),
        ROW("left", {z("abc")}, z("a")),
        ROW("rght", {z("abc")}, z("bc")),
        ROW("left", {z("[b]c")}, z("[b]")),
        ROW("rght", {z("[b]c")}, z("c")),
        ROW("left", {z("")}, t("Z")),
        ROW("rght", {z("")}, t("Z")),
        ROW("left", {pair}, z("a")),
        ROW("rght", {pair}, z("bc")),
        ROW("left", {form(list)}, form(init)),
        ROW("rght", {form(list)}, form(last)),
        ROW("left", {form(t("K"))}, t("Z")),
        ROW("rght", {form(t("S"))}, t("Z")),
        ROW("left", {t("S K")}, t("Z")),
    });
}

TEST_F(Terms, LispPrints) {
    TermRef k_s = t("K S");
    run_rows({
        ROW("lisp", {n("42")}, z("42")),
        ROW("lisp", {k_s}, z(print_term(k_s))),
        ROW("lisp", {p("a]")}, z("cape[a[r]]")),
        ROW("lisp", {z("x")}, z("[x]")),
    });
}

TEST_F(Terms, LotsAndLits) {
    std::string all_ones(8, '\xff');
    TermRef zero_bits = t("K");
    for (int i = 0; i < 64; ++i) zero_bits = apply(TermRef("J"), TermRef("H"), zero_bits);
    run_rows({
        ROW("lots", {n("5")}, t("J K (J K (J K (J H K)))")),
        ROW("lots", {n("00")}, t("J H K")),
        ROW("lots", {t("J K (J K 0)")}, t("J K (J K (J K K))")),  // the tail expanded
        ROW("lots", {r(0)}, zero_bits),
        ROW("lots", {z("ab")}, bracket_list(z("ab"))),
        ROW("lots", {p("ab")}, t("J 97 (J 98 K)")),
        ROW("lots", {p("")}, t("K")),
        ROW("lots", {t("K")}, t("Z")),
        ROW("lits", {t("J K (J K (J K (J H K)))")}, n("5")),
        ROW("lits", {n("042")}, n("042")),
        ROW("lits", {t("J H K")}, n("00")),
        ROW("lits", {t("J K S")}, t("Z")),
        ROW("lits", {z("abc")}, n("6513249")),  // 97 + 98 * 256 + 99 * 65536
        ROW("lits", {p("")}, n("0")),
        ROW("lits", {p(all_ones)}, n("01")),
        ROW("lits", {p(std::string_view("\x01\0\0\0\0\0\0\0\xff", 9))}, n("1")),
        ROW("lits", {r(0.0)}, n("001")),
        ROW("lits", {r(-0.0)}, n("001")),
        ROW("lits", {r(1.0)}, n("005")),  // the numb one, as 1 widens
        ROW("lits", {r(std::numeric_limits<double>::infinity())}, n("00")),
        ROW("lits", {r(std::nan(""))}, n("00")),
        ROW("lits", {t("K")}, t("Z")),
    });
}

TEST_F(Terms, CellsAndAssertion) {
    TermRef a = t("K S [x]"), b = t("K S [x]");
    TermRef shared_a = call_with("tern", {a}), shared_b = call_with("tern", {b});
    EXPECT_EQ(shared_a.cell, shared_b.cell);
    EXPECT_TRUE(same_term(shared_a, a));
    run_rows({
        ROW("raws", {a, a}, t("K")),
        ROW("raws", {a, b}, t("H")),
        ROW("raws", {shared_a, shared_b}, t("K")),
        ROW("assert", {t("K")}, t("I")),
        ROW("assert", {n("0")}, t("Z")),
    });
    // The runtime keeps the leaked cell, so it outlives every other holder
    // and goes with the runtime (the fixture checks that nothing leaks).
    Term* cell = make_leaf("kept");
    TermRef address = call_with("leak", {TermRef(cell)});
    EXPECT_EQ(refs_of(cell), 1u);
    EXPECT_EQ(*integer_argument(address.cell),
              static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(cell)));
    EXPECT_EQ(leaf_view(cell), "kept");
}

TEST(TermsDeath, AssertOfFalseAborts) {
    EXPECT_DEATH((void)call_with("assert", {TermRef("H")}), "^ASSERTION FAILED:l:242\n$");
}

TEST_F(Terms, PostAndCopyAtAnAddress) {
    // A block of the run: copy writes nowhere else.
    auto* buffer = static_cast<char*>(std::calloc(16, 1));
    note_block(rt().host, buffer, 16);
    std::memcpy(buffer, "abcdef", 6);
    TermRef at = unsigned_result(reinterpret_cast<std::uintptr_t>(buffer));
    TermRef at2 = unsigned_result(reinterpret_cast<std::uintptr_t>(buffer + 2));
    run_rows({
        ROW("post", {at, n("3")}, p("abc")),
        ROW("post", {at, n("0")}, p("")),
        ROW("post", {at, n("01")}, t("Z")),
        ROW("post", {n("0"), n("3")}, t("Z")),
        ROW("post", {z("abc"), n("1")}, t("Z")),
        ROW("copy", {at, p("XY")}, t("I")),
        ROW("copy", {at2, z("[q]")}, t("I")),
        ROW("copy", {n("0"), p("x")}, t("Z")),
        ROW("copy", {p("abc"), p("x")}, t("Z")),
        ROW("copy", {at, t("K")}, t("Z")),
    });
    EXPECT_EQ(std::string_view(buffer, 7), std::string_view("XY[q]f\0", 7));
    ASSERT_TRUE(same_term(call_with("copy", {at, n("042")}), t("I")));
    EXPECT_EQ(std::string_view(buffer, 3), "042");  // the decimal text, no NUL
    ASSERT_TRUE(same_term(call_with("copy", {at, r(1.0)}), t("I")));
    double back;
    std::memcpy(&back, buffer, sizeof back);
    EXPECT_EQ(back, 1.0);
}

}  // namespace
}  // namespace vesk::test
