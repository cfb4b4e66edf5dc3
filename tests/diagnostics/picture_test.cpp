#include "diagnostics/picture.hpp"

#include <gtest/gtest.h>

#include <set>

namespace vesk {
namespace {

Bytes bytes_of(std::initializer_list<int> values) {
    Bytes b;
    for (int v : values) b += static_cast<char>(v);
    return b;
}

TEST(Render, PlainTextIsUnchanged) {
    EXPECT_EQ(render("ab"), "ab");
    EXPECT_EQ(render(""), "");
    EXPECT_EQ(render("x+(y)~[z]"), "x+(y)~[z]");
}

TEST(Render, ColoursChangeOnlyAtClassBoundaries) {
    EXPECT_EQ(render(bytes_of({200, 65})), "\033[31mH\033[mA");
    EXPECT_EQ(render(bytes_of({66, 1})), "B\033[32mA\033[m");
    // Two red bytes share one sequence; a green one after them switches.
    EXPECT_EQ(render(bytes_of({161, 254, 0})), "\033[31m!~\033[32mJ\033[m");
    // The blank is green: it is wrapped when plain text surrounds it.
    EXPECT_EQ(render("a b"), "a\033[32m \033[mb");
}

// Each byte shows as one printable glyph, and no two bytes share both glyph
// and colour, so a rendered field can always be read back.
TEST(Render, GlyphsAndColoursAreOneToOne) {
    std::set<Bytes, std::less<>> seen;
    for (int b = 0; b < 256; ++b) {
        Bytes shown = render(bytes_of({b}));
        Bytes glyph = shown;
        for (std::string_view seq : {"\033[31m", "\033[32m", "\033[m"}) {
            for (std::size_t at; (at = glyph.find(seq)) != Bytes::npos;)
                glyph.erase(at, seq.size());
        }
        ASSERT_EQ(glyph.size(), 1u) << "byte " << b;
        EXPECT_GE(glyph[0], ' ');
        EXPECT_LE(glyph[0], '~');
        EXPECT_TRUE(seen.insert(shown).second) << "byte " << b;
    }
}

TEST(Render, NamedGlyphs) {
    EXPECT_EQ(render(bytes_of({127})), "\033[32m~\033[m");
    EXPECT_EQ(render(bytes_of({143})), "\033[32m\\\033[m");
    EXPECT_EQ(render(bytes_of({150, 151, 160})), "\033[32m?09\033[m");
    EXPECT_EQ(render(bytes_of({10, 11, 26, 31})), "\033[32m,KZ[\033[m");
    EXPECT_EQ(render(bytes_of({'a', 1})), "a\033[32mA\033[m");
    EXPECT_EQ(render(bytes_of({0, 9, 27, 28, 29, 30, 255})), "\033[32mJI(){}]\033[m");
    EXPECT_EQ(render(bytes_of({161, 193, 254})), "\033[31m!A~\033[m");
}

TEST(ErrorPicture, EmptyFieldsGiveThreeLines) {
    Outcome out;
    out.code = "lower";
    EXPECT_EQ(error_picture(out),
              "                        /\\\n"
              "\\/\\oh [lower]     /\\   /  \\\n"
              "/\\uck_________/\\_/  \\_/    \\_\n");
}

TEST(ErrorPicture, FieldsInOrderWayVipTipSay) {
    Outcome out;
    out.say = "first\nsecond";
    out.code = "range";
    out.tip = "T";
    Bytes picture = error_picture(out);
    const Bytes head =
        "                        /\\\n"
        "\\/\\oh [range]     /\\   /  \\\n"
        "/\\uck_________/\\_/  \\_/    \\_\n";
    EXPECT_EQ(picture, head + " <tip> T\n <say> first\033[32m,\033[msecond\n");

    out.way = "yes";
    out.vip = "____a";
    EXPECT_EQ(error_picture(out),
              head + " <way> yes\n <vip> ____a\n <tip> T\n <say> first\033[32m,\033[msecond\n");
}

TEST(ErrorPicture, CodeIsWrittenAsStored) {
    Outcome out;
    out.code = Bytes("a\0\xC8", 3);
    Bytes picture = error_picture(out);
    EXPECT_NE(picture.find(Bytes("[a\0\xC8]", 5)), Bytes::npos);
    // The third line keeps its nine underscores whatever the code's length.
    out.code = "x";
    EXPECT_NE(error_picture(out).find("\n/\\uck_________/\\_/  \\_/    \\_\n"), Bytes::npos);
}

TEST(UsagePicture, ExactLines) {
    EXPECT_EQ(usage_picture(),
              "\\/\\oh usage     /\\   /  \\\n"
              "/\\uck_______/\\_/  \\_/    \\_\n"
              "<say>vesk file args...\n");
}

TEST(Excerpt, ShortTextsAreWhole) {
    EXPECT_EQ(excerpt(""), "");
    EXPECT_EQ(excerpt("f(x)[a b]{c}"), "f(x)[a b]{c}");
    Bytes exact(72, 'q');
    EXPECT_EQ(excerpt(exact), exact);
}

TEST(Excerpt, LongTextIsCutAt72) {
    Bytes text(100, 'z');
    EXPECT_EQ(excerpt(text), Bytes(72, 'z'));
}

TEST(Excerpt, OpenBracketsAreClosedWithinTheLimit) {
    Bytes text = Bytes(70, 'a') + "(bcdefgh)";
    Bytes cut = excerpt(text);
    EXPECT_EQ(cut, Bytes(70, 'a') + "()");
    EXPECT_EQ(cut.size(), 72u);

    Bytes nested = Bytes(60, 'a') + "([{" + Bytes(30, 'b') + "}])";
    cut = excerpt(nested);
    EXPECT_EQ(cut.size(), 72u);
    EXPECT_EQ(cut.substr(60, 2), "([");
    EXPECT_EQ(cut.substr(cut.size() - 2), "])");
}

TEST(Excerpt, OpenerOnTheLastSlotEndsTheExcerpt) {
    EXPECT_EQ(excerpt(Bytes(71, 'a') + "(b)"), Bytes(71, 'a'));
    EXPECT_EQ(excerpt(Bytes(71, 'a') + "[b]"), Bytes(71, 'a'));
    // Inside a square bracket only '[' is refused on the last slot.
    Bytes text = "[" + Bytes(69, 'a') + "(x)";
    EXPECT_EQ(excerpt(text), "[" + Bytes(69, 'a') + "(]");
}

TEST(Excerpt, SquareBracketsAreOpaque) {
    // ')' inside a square group does not close the '(' outside it.
    EXPECT_EQ(excerpt("(a[)]"), "(a[)])");
    // Round and curly closers close whatever is innermost.
    EXPECT_EQ(excerpt("({)x"), "({)x)");
}

TEST(Excerpt, StrayClosersArePlainText) {
    EXPECT_EQ(excerpt("a)b}c"), "a)b}c");
    Bytes text = Bytes(80, ')');
    EXPECT_EQ(excerpt(text), Bytes(72, ')'));
}

TEST(Excerpt, NeverExceedsTheLimit) {
    // Deep openers: each takes two bytes of budget.
    Bytes text(200, '(');
    Bytes cut = excerpt(text);
    EXPECT_EQ(cut, Bytes(36, '(') + Bytes(36, ')'));
    Bytes mixed;
    for (int i = 0; i < 300; ++i) mixed += "([{a}]"[i % 6];
    EXPECT_LE(excerpt(mixed).size(), 72u);
}

}  // namespace
}  // namespace vesk
