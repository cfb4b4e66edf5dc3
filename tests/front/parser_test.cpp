#include "front/parser.hpp"

#include <gtest/gtest.h>

#include "front/brackets.hpp"
#include "term_shape.hpp"

namespace vesk {
namespace {

using testing::shape;

std::string parsed(std::string_view text) {
    return shape(parse_expression(text));
}

TEST(Parser, EmptyOperandsAreTheEmptyLeaf) {
    EXPECT_EQ(parsed(""), "}");
    EXPECT_EQ(parsed("()"), "}");
    EXPECT_EQ(parsed("g()"), "(g })");
    EXPECT_EQ(parsed("a+"), "((+ a) })");
    EXPECT_EQ(parsed("-x"), "((- }) x)");
    EXPECT_EQ(parsed("g(a,)"), "((g a) })");
    EXPECT_EQ(parsed("\\"), "((\\ }) })");
}

// Every place of one atom text is one leaf; different texts stay apart.
TEST(Parser, PlacesOfOneTextShareTheirLeaf) {
    TermRef t = parse_expression("xs 12 [q] xs 12 [q]");
    std::vector<Term*> leaves;  // the spine's arguments, last first, then its head
    TermRef at = t;
    for (; is_pair(at); at = left(at)) leaves.push_back(right(at).get());
    leaves.push_back(at.get());
    ASSERT_EQ(leaves.size(), 6u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(leaves[i], leaves[i + 3]) << i;
    EXPECT_NE(leaves[0], leaves[1]);
    EXPECT_NE(leaves[1], leaves[2]);
}

TEST(Parser, Associativity) {
    EXPECT_EQ(parsed("a-b-c"), "((- ((- a) b)) c)");
    EXPECT_EQ(parsed("a^b^c"), "((^ a) ((^ b) c))");
    EXPECT_EQ(parsed("a=b=c"), "((= a) ((= b) c))");
    EXPECT_EQ(parsed("a&b|c"), "((& a) ((| b) c))");
    EXPECT_EQ(parsed("a?b?c"), "((? ((? a) b)) c)");
    EXPECT_EQ(parsed("a.b:c"), "((: ((. a) b)) c)");
    EXPECT_EQ(parsed("a%b'c"), "((' ((% a) b)) c)");
    EXPECT_EQ(parsed("g;h;x"), "((; g) ((; h) x))");
    EXPECT_EQ(parsed("a b c"), "((a b) c)");
}

TEST(Parser, PrecedenceBetweenLevels) {
    EXPECT_EQ(parsed("a+b*c"), "((+ a) ((* b) c))");
    EXPECT_EQ(parsed("a*b+c"), "((+ ((* a) b)) c)");
    EXPECT_EQ(parsed("a*b^c"), "((* a) ((^ b) c))");
    EXPECT_EQ(parsed("a<b+c"), "((< a) ((+ b) c))");
    EXPECT_EQ(parsed("x#y@z"), "((# x) ((@ y) z))");
    EXPECT_EQ(parsed("a b=c d"), "((= (a b)) (c d))");
    EXPECT_EQ(parsed("g x+1 y"), "((g ((+ x) 1)) y)");
    EXPECT_EQ(parsed("p&q=r"), "((& p) ((= q) r))");
    EXPECT_EQ(parsed("a?b&c"), "((? a) ((& b) c))");
    EXPECT_EQ(parsed("a;b?c"), "((; a) ((? b) c))");
    EXPECT_EQ(parsed("a;b\\c"), "((; a) ((\\ b) c))");
}

TEST(Parser, LambdasAndLines) {
    EXPECT_EQ(parsed("x\\x+1"), "((\\ x) ((+ x) 1))");
    EXPECT_EQ(parsed("a\\b\\a b"), "((\\ a) ((\\ b) (a b)))");
    EXPECT_EQ(parsed("[+]\\plus"), "((\\ [+]) plus)");
    EXPECT_EQ(parsed("g x\ny z"), "((g x) (y z))");
    EXPECT_EQ(parsed("f\ng\nh"), "((f g) h)");
    EXPECT_EQ(parsed("a\\f\nx"), "((\\ a) (f x))");
}

TEST(Parser, Braces) {
    EXPECT_EQ(parsed("{a,b}"), "((({ }) ((, a) b)) })");
    EXPECT_EQ(parsed("{}"), "((({ }) }) })");
    EXPECT_EQ(parsed("a{b,c}d"), "((({ a) ((, b) c)) d)");
    EXPECT_EQ(parsed("a{b}c;d"), "((({ a) b) ((; c) d))");
    EXPECT_EQ(parsed("a{b}{c}d"), "((({ a) b) ((({ }) c) d))");
    EXPECT_EQ(parsed("x\\a{b}c"), "((\\ x) ((({ a) b) c))");
    EXPECT_EQ(parsed("x{3}y{x+1}x*y"), "((({ x) 3) ((({ y) ((+ x) 1)) ((* x) y)))");
    EXPECT_EQ(parsed("{a+b,c\\c}"), "((({ }) ((, ((+ a) b)) ((\\ c) c))) })");
}

TEST(Parser, ChunksAndCallLists) {
    EXPECT_EQ(parsed("XS I"), "((X S) I)");
    EXPECT_EQ(parsed("BKK"), "((B K) K)");
    EXPECT_EQ(parsed("aS"), "(a S)");
    EXPECT_EQ(parsed("b(c)"), "(b c)");
    EXPECT_EQ(parsed("g(a,b,c)"), "(((g a) b) c)");
    EXPECT_EQ(parsed("g(a)(b)"), "((g a) b)");
    EXPECT_EQ(parsed("g(x)(y)"), "((g x) y)");
    EXPECT_EQ(parsed("a c b(c)"), "((a c) (b c))");
    EXPECT_EQ(parsed("(f x)(y)z"), "(((f x) y) z)");
    EXPECT_EQ(parsed("g(a+b,c d)"), "((g ((+ a) b)) (c d))");
    EXPECT_EQ(parsed("xs12ab"), "((xs 12) ab)");
    EXPECT_EQ(parsed("[1 2]y"), "([1 2] y)");
    EXPECT_EQ(parsed("g[1][a,b]"), "((g [1]) [a,b])");
    EXPECT_EQ(parsed("g [1 (]"), "(g [1 (])");
}

TEST(Parser, Affixes) {
    EXPECT_EQ(parsed("g!x"), "(g (! x))");
    EXPECT_EQ(parsed("g!x$y"), "((g (! x)) ($ y))");
    EXPECT_EQ(parsed("g!!x"), "(g (! (! x)))");
    EXPECT_EQ(parsed("g!"), "(! g)");
    EXPECT_EQ(parsed("!g x"), "((! g) x)");
    EXPECT_EQ(parsed("!g(x)"), "(! (g x))");
    EXPECT_EQ(parsed("g(x)!"), "(! (g x))");
    EXPECT_EQ(parsed("~x!"), "(! (~ x))");
    EXPECT_EQ(parsed("!a!"), "(! (! a))");
    EXPECT_EQ(parsed("a!b!c"), "((a (! b)) (! c))");
    EXPECT_EQ(parsed("g!(a)"), "(g (! a))");
    EXPECT_EQ(parsed("f`x\"y"), "((f (` x)) (\" y))");
    EXPECT_EQ(parsed("g(!x)"), "(g (! x))");
    EXPECT_EQ(parsed("`x+1"), "((+ (` x)) 1)");
    EXPECT_EQ(parsed("`(x+1)"), "(` ((+ x) 1))");
    EXPECT_EQ(parsed("!"), "(! })");
    EXPECT_EQ(parsed("!!"), "(! (! }))");
    EXPECT_EQ(parsed("$!x~"), "(~ ($ (! x)))");
}

TEST(Parser, OddAtoms) {
    EXPECT_EQ(parsed(std::string_view("a\0", 2)), "(a \n)");
    EXPECT_EQ(shape(parse_expression(std::string_view("\0", 1))), "\n");
    EXPECT_EQ(parsed("\x01\xc8"), "(\x01 \xc8)");
    // A comma the bracket check lets through stays in a leaf.
    EXPECT_EQ(parsed("!(a,b)"), "(! (a, b))");
    EXPECT_EQ(parsed(",,"), ",,");
    Outcome out;
    ASSERT_TRUE(check_brackets("!((,,))", out));
    EXPECT_EQ(parsed("!((,,))"), "(! ,,)");
    EXPECT_EQ(parsed("(1,)"), "(1 ,)");
    EXPECT_EQ(parsed("a,b"), "(a, b)");
}

TEST(Parser, BraceListsAndSplits) {
    EXPECT_EQ(shape(parse_brace_list("a,b,c")), "((, a) ((, b) c))");
    EXPECT_EQ(shape(parse_brace_list("a")), "a");
    EXPECT_EQ(shape(parse_brace_list("")), "}");
    EXPECT_EQ(shape(parse_brace_list("g(a,b),")), "((, ((g a) b)) })");
    EXPECT_EQ(split_top("a,(b,c),[d,e],f", ","), (std::vector<std::size_t>{1, 7, 13}));
    EXPECT_EQ(split_top("a{b;c};d", ";{"), (std::vector<std::size_t>{1, 6}));
    EXPECT_TRUE(split_top("", ",").empty());
    EXPECT_TRUE(split_top("{,}", ",").empty());
}

TEST(Parser, SharesOneLeafPerOperator) {
    TermRef t = parse_expression("a+b+c");
    // ((+ ((+ a) b)) c): both '+' leaves are one cell.
    const Term* outer = left_cell(left_cell(t.get()));
    const Term* inner = left_cell(left_cell(right_cell(left_cell(t.get()))));
    EXPECT_EQ(outer, inner);
}

// Pieces end at top-level commas only, found as the pieces are read: a
// comma in a group, a brace list or a square literal belongs to its piece.
TEST(Parser, PiecesEndAtTopLevelCommas) {
    std::vector<std::size_t> commas;
    std::vector<TermRef> pieces = parse_comma_pieces("a,f(b,c),x{d,e}y,[f,g],", commas);
    EXPECT_EQ(commas, (std::vector<std::size_t>{1, 8, 16, 22}));
    std::vector<std::string> shapes;
    for (const TermRef& p : pieces) shapes.push_back(shape(p));
    EXPECT_EQ(shapes,
              (std::vector<std::string>{"a", "((f b) c)", "((({ x) ((, d) e)) y)", "[f,g]", "}"}));
}

// A group is read up to its own closing bracket, so text that is not
// bracket-balanced (the bracket check keeps it out) breaks an invariant.
TEST(Parser, UnbalancedTextIsAnInvariant) {
    std::vector<std::size_t> commas;
    EXPECT_DEATH(static_cast<void>(parse_expression("(a")), "ASSERTION FAILED:");
    EXPECT_DEATH(static_cast<void>(parse_comma_pieces("a)b", commas)), "ASSERTION FAILED:");
    EXPECT_DEATH(static_cast<void>(parse_expression("[a")), "ASSERTION FAILED:");
}

}  // namespace
}  // namespace vesk
