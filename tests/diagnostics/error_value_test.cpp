#include "diagnostics/error_value.hpp"

#include <gtest/gtest.h>

#include "terms/cells.hpp"

namespace vesk {
namespace {

Outcome sample() {
    Outcome out;
    out.say = "Function foo is defined twice.";
    out.code = "roads";
    out.vip = "foo";
    out.tip = "[a b]";
    out.way = "yes";
    return out;
}

void expect_same(const Outcome& got, const Outcome& want) {
    EXPECT_EQ(got.say, want.say);
    EXPECT_EQ(got.code, want.code);
    EXPECT_EQ(got.vip, want.vip);
    EXPECT_EQ(got.tip, want.tip);
    EXPECT_EQ(got.way, want.way);
}

TEST(ErrorValue, TextLayout) {
    EXPECT_EQ(error_value_text(sample()),
              "['[\"Function foo is defined twice.][\"roads][\"foo][\"[a b]][\"yes]]");
    Outcome fresh;
    EXPECT_EQ(error_value_text(fresh), "['[\"][\"check][\"][\"][\"]]");
}

TEST(ErrorValue, TermIsThePairOfTheMarkerAndTheText) {
    TermRef value = make_error_value(sample());
    ASSERT_TRUE(is_pair(value));
    EXPECT_EQ(leaf_text(left(value)), "]");
    TermRef fields = right(value);
    EXPECT_EQ(first_char(fields), '[');
    EXPECT_EQ(leaf_text(fields), error_value_text(sample()));
    EXPECT_TRUE(is_error_value(value));
}

TEST(ErrorValue, ShapeTest) {
    EXPECT_FALSE(is_error_value(TermRef("]name")));
    EXPECT_TRUE(is_error_value(make_pair(TermRef("]x"), TermRef("K"))));
    EXPECT_FALSE(is_error_value(make_pair(TermRef("K"), TermRef("[]"))));
    EXPECT_FALSE(is_error_value(make_pair(make_pair(TermRef("]"), TermRef("K")), TermRef("K"))));
}

TEST(ErrorValue, RoundTrips) {
    expect_same(decode_error_value(error_value_text(sample())), sample());
    Outcome empty_fields;
    empty_fields.code.clear();
    expect_same(decode_error_value(error_value_text(empty_fields)), empty_fields);
    Outcome binary;
    binary.say = Bytes("nul\0and\xff", 8);
    binary.code = "funky";
    binary.tip = "[[[]][]]";
    expect_same(decode_error_value(error_value_text(binary)), binary);
}

TEST(ErrorValue, UnbalancedFieldsRoundTrip) {
    // A bracket-mismatch message quotes a lone bracket; it must not end its
    // field early or swallow the next one.
    Outcome out;
    out.say = "'(' at [_____] doesn't fit ']' at [____a].";
    out.code = "match";
    out.vip = "[";
    out.tip = "\\(]\\";
    out.way = "yes";
    Bytes text = error_value_text(out);
    EXPECT_EQ(text.substr(0, 4), "['[\\");
    expect_same(decode_error_value(text), out);
    // The whole text stays balanced, so the bracket leaf keeps all of it.
    TermRef value = make_error_value(out);
    expect_same(decode_error_value(leaf_text(right(value))), out);
}

TEST(ErrorValueDecode, ShortTextsGiveANewOutcome) {
    for (std::string_view t : {"", "[", "['", "['["}) {
        Outcome out = decode_error_value(t);
        EXPECT_EQ(out.code, "check") << t;
        EXPECT_TRUE(out.say.empty() && out.vip.empty() && out.tip.empty() && out.way.empty());
    }
}

TEST(ErrorValueDecode, MissingAndUnclosedFieldsAreEmpty) {
    // Only two fields, then the list ends.
    Outcome out = decode_error_value("['[\"hi][\"oops]]");
    EXPECT_EQ(out.say, "hi");
    EXPECT_EQ(out.code, "oops");
    EXPECT_EQ(out.vip, "");
    EXPECT_EQ(out.way, "");
    // The second group never closes: it and all after it read as empty.
    out = decode_error_value("['[\"hi][\"oops[x]");
    EXPECT_EQ(out.say, "hi");
    EXPECT_EQ(out.code, "");
    // Not a list of groups at all.
    out = decode_error_value("abcdefgh");
    EXPECT_EQ(out.say, "");
    EXPECT_EQ(out.code, "");
    // A group too short to hold its opener's second byte.
    out = decode_error_value("['[][\"c]]");
    EXPECT_EQ(out.say, "");
    EXPECT_EQ(out.code, "c");
}

TEST(ErrorValueDecode, NestedGroupsStayInTheirField) {
    Outcome out = decode_error_value("['[\"a[b[c]]d][\"code]]");
    EXPECT_EQ(out.say, "a[b[c]]d");
    EXPECT_EQ(out.code, "code");
}

TEST(ErrorValue, MakingAndDroppingFreesEverything) {
    std::uint64_t before = cell_counts().live;
    {
        TermRef value = make_error_value(sample());
        EXPECT_EQ(cell_counts().live, before + 3);
    }
    EXPECT_EQ(cell_counts().live, before);
}

}  // namespace
}  // namespace vesk
