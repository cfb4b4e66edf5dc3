// The round trips between literals and the shapes they unfold to, over
// random values: zits of a text's element list, init of a post's unfolded
// tree, lits of lots of a number, real of lits of a double, cape of cape of
// a post.
#include <cmath>
#include <random>

#include "engine/unfold.hpp"
#include "terms_support.hpp"

namespace vesk::test {
namespace {

using RoundTrips = EngineTest;

constexpr int kRounds = 300;

// A balanced text of random bytes and nested groups. Every group holds a
// byte other than a bracket, so none is spelled like a byte's numeral
// (numerals are brackets only), which would read back as that byte.
Bytes random_text(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> byte(0, 255), length(0, 24), coin(0, 9);
    Bytes text;
    int open = 0, n = length(rng);
    for (int i = 0; i < n; ++i) {
        int roll = coin(rng);
        if (roll == 0) {
            text += "[x";
            ++open;
        } else if (roll == 1 && open > 0) {
            text += ']';
            --open;
        } else {
            char c = static_cast<char>(byte(rng));
            text += (c == '[' || c == ']') ? 'q' : c;
        }
    }
    text.append(static_cast<std::size_t>(open), ']');
    return text;
}

Bytes random_bytes(std::mt19937_64& rng, int max) {
    std::uniform_int_distribution<int> byte(0, 255), length(0, max);
    Bytes bytes(static_cast<std::size_t>(length(rng)), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(rng));
    return bytes;
}

// A post unfolded to a random depth: each part is unfolded again with
// probability 3/4. The recursion is as deep as the post's halvings (six
// for the lengths used here).
TermRef random_unfolding(std::mt19937_64& rng, const TermRef& post) {
    std::bernoulli_distribution deeper(0.75);
    if (!deeper(rng)) return post;
    TermRef u = counted_unfold(post);
    // V p q of two posts: each part in turn. A byte tree or Z stays.
    if (!is_pair(u) || first_char(right(left(u))) != '(') return u;
    return apply(TermRef("V"), random_unfolding(rng, right(left(u))),
                 random_unfolding(rng, right(u)));
}

TEST_F(RoundTrips, ZitsOfTheElementListIsTheText) {
    std::mt19937_64 rng(7);
    for (int k = 0; k < kRounds; ++k) {
        TermRef text = z(random_text(rng));
        TermRef back = call_with("zits", {bracket_list(text)});
        ASSERT_TRUE(same_term(back, text)) << show(text) << " came back as " << show(back);
        ASSERT_TRUE(same_term(call_with("zits", {call_with("lots", {text})}), text));
    }
}

TEST_F(RoundTrips, LitsOfLotsIsTheNumber) {
    std::mt19937_64 rng(8);
    std::uniform_int_distribution<int> digit(0, 9), length(1, 60);
    for (int k = 0; k < kRounds; ++k) {
        Bytes digits;
        int len = length(rng);
        for (int i = 0; i < len; ++i) digits += static_cast<char>('0' + digit(rng));
        TermRef number(digits.c_str());
        TermRef back = call_with("lits", {call_with("lots", {number})});
        ASSERT_EQ(leaf_text(back), digits);
    }
}

TEST_F(RoundTrips, RealOfLitsIsTheDouble) {
    std::mt19937_64 rng(9);
    std::vector<double> values = {0.0, -0.0, 1.0, -1.5, 5e-324, -5e-324, 1.7976931348623157e308,
                                  2.2250738585072014e-308, 0.1};
    for (int k = 0; k < kRounds; ++k) {
        std::uint64_t bits = rng();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d)) values.push_back(d);
    }
    for (double d : values) {
        TermRef numb = call_with("lits", {r(d)});
        TermRef back = call_with("real", {numb});
        if (d == 0) {
            ASSERT_EQ(leaf_text(numb), "001");  // both zeros: the value zero
            ASSERT_EQ(bits_of(back), bits_of(r(0.0)));
        } else {
            ASSERT_EQ(bits_of(back), bits_of(r(d))) << d << " as " << leaf_text(numb);
        }
    }
}

TEST_F(RoundTrips, InitOfAnUnfoldedPostIsThePost) {
    std::mt19937_64 rng(10);
    for (int k = 0; k < kRounds; ++k) {
        Bytes bytes = random_bytes(rng, 40);
        TermRef post = p(bytes);
        ASSERT_TRUE(same_term(call_with("init", {counted_unfold(post)}), post));
        ASSERT_TRUE(same_term(call_with("init", {random_unfolding(rng, post)}), post));
        ASSERT_TRUE(same_term(call_with("init", {call_with("lots", {post})}), post));
    }
}

TEST_F(RoundTrips, CapeOfCapeIsThePost) {
    std::mt19937_64 rng(11);
    for (int k = 0; k < kRounds; ++k) {
        Bytes bytes = random_bytes(rng, 40);
        if (k % 3 == 0) bytes += "[p]][[q";
        TermRef post = p(bytes);
        TermRef zits = call_with("cape", {post});
        ASSERT_EQ(classify(zits), ValueKind::zits);
        ASSERT_TRUE(same_term(call_with("cape", {zits}), post)) << show(zits);
    }
}

}  // namespace
}  // namespace vesk::test
