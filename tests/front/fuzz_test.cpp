// Random texts made mostly of special characters: whatever passes the
// bracket check must normalise, split and parse without tripping an
// assertion, and its terms must print.
#include <gtest/gtest.h>

#include <random>

#include "front/brackets.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "front/printer.hpp"

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
        // As a program is loaded: split at top-level commas, parse each piece.
        std::size_t from = 0;
        std::vector<std::size_t> commas = split_top(normal, ",");
        commas.push_back(normal.size());
        for (std::size_t comma : commas) {
            TermRef t = parse_expression(std::string_view(normal).substr(from, comma - from));
            EXPECT_FALSE(print_term(t).empty());
            from = comma + 1;
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
