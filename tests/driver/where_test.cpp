#include "driver/where.hpp"

#include <gtest/gtest.h>

#include "front/charcode.hpp"

namespace vesk {
namespace {

TEST(DecodePositionCode, InvertsTheCodeOfMessages) {
    for (std::uint32_t n : {0u, 1u, 63u, 64u, 4095u, 123456789u, kPositionLimit - 1}) {
        EXPECT_EQ(decode_position_code(position_code(n)), n);
        EXPECT_EQ(decode_position_code("[" + position_code(n) + "]"), n);
    }
    for (const char* bad : {"", "____", "______", "!!!!!", "[____a", "(____a)", "____-"}) {
        EXPECT_EQ(decode_position_code(bad), std::nullopt) << bad;
    }
}

TEST(LineColumn, CountsFromOneAndStopsAtTheEnd) {
    struct Case {
        const char* text;
        std::size_t offset, line, column;
    } cases[] = {
        {"", 0, 1, 1},      {"ab", 1, 1, 2},     {"a\nb", 2, 2, 1},
        {"a\nb", 1, 1, 2},  {"a\n\nb", 3, 3, 1}, {"ab", 99, 1, 3},
        {"a\r\nb", 3, 2, 1},
    };
    for (const Case& c : cases) {
        LineColumn at = line_column(c.text, c.offset);
        EXPECT_EQ(at.line, c.line) << c.text << " " << c.offset;
        EXPECT_EQ(at.column, c.column) << c.text << " " << c.offset;
    }
}

}  // namespace
}  // namespace vesk
