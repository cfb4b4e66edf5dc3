#include "front/tip_text.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TipText, FiveBytesGetAQuoteLongTextsAreCut) {
    EXPECT_EQ(tip_text("abort"), "abort \"");
    EXPECT_EQ(tip_text("plus"), "plus");
    EXPECT_EQ(tip_text(""), "");
    Bytes exact(72, 'x');
    EXPECT_EQ(tip_text(exact), exact);
    Bytes longer(73, 'y');
    EXPECT_EQ(tip_text(longer), Bytes(69, 'y') + "...");
    EXPECT_EQ(tip_text(longer).size(), 72u);
}

}  // namespace
}  // namespace vesk
