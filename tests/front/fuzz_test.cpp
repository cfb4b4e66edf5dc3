// Random texts made mostly of special characters: whatever passes the
// bracket check must normalise, split and parse without tripping an
// assertion, its terms must print, and its pieces parse on one machine
// as they do alone.
#include <gtest/gtest.h>

#include <random>

#include "front/brackets.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "front/printer.hpp"
#include "term_shape.hpp"

namespace vesk {
namespace {

std::string random_text(std::mt19937& rng) {
    static const std::string kAlphabet =
        std::string("~!@#$%^&*<>-|+/=\\.`'\":;?(){},[] \n(){}[],,  ab_1 0XK\x01\xc8") + '\0';
    std::uniform_int_distribution<std::size_t> length(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string text(length(rng), ' ');
    for (char& c : text) c = kAlphabet[pick(rng)];
    return text;
}

TEST(FrontFuzz, CheckedTextsParseAndPrint) {
    std::mt19937 rng(20240611);
    int passed = 0;
    for (int round = 0; round < 60000; ++round) {
        std::string text = random_text(rng);
        Outcome out;
        if (!check_brackets(text, out)) {
            EXPECT_TRUE(out.code == "match" || out.code == "comma") << text;
            continue;
        }
        ++passed;
        Bytes normal = normalise_layout(text);
        EXPECT_EQ(normalise_layout(normal), normal) << text;
        Outcome again;
        EXPECT_TRUE(check_brackets(normal, again)) << text;
        // Split at top-level commas and each piece parsed alone, as the
        // pieces of one machine over the whole text (as a program is loaded).
        std::size_t from = 0;
        std::vector<std::size_t> commas = split_top(normal, ",");
        std::vector<std::size_t> piece_commas;
        std::vector<TermRef> pieces = parse_comma_pieces(normal, piece_commas);
        EXPECT_EQ(piece_commas, commas) << text;
        EXPECT_EQ(top_level_commas(normal), commas) << text;
        std::vector<std::size_t> begins{0};
        for (std::size_t c : commas) begins.push_back(c + 1);
        std::vector<TermRef> at = parse_pieces_at(normal, begins);
        for (std::size_t k = 0; k < at.size(); ++k)
            EXPECT_EQ(testing::shape(at[k]), testing::shape(pieces[k])) << text;
        commas.push_back(normal.size());
        ASSERT_EQ(pieces.size(), commas.size()) << text;
        for (std::size_t k = 0; k < commas.size(); ++k) {
            TermRef t = parse_expression(std::string_view(normal).substr(from, commas[k] - from));
            EXPECT_EQ(testing::shape(pieces[k]), testing::shape(t)) << text;
            from = commas[k] + 1;
        }
        // The parser copes with text that was not normalised, too.
        EXPECT_FALSE(print_term(parse_expression(text)).empty());
        EXPECT_FALSE(print_term(parse_brace_list(text)).empty());
    }
    // Enough texts got through for the run to mean something.
    EXPECT_GT(passed, 5000);
}

}  // namespace
}  // namespace vesk
