// One check for an Outcome's fields, in place of a row of EXPECT_EQs.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "diagnostics/outcome.hpp"

namespace vesk::test {

// The fields a test expects; a field left empty (std::nullopt) is not
// checked.
struct ExpectedOutcome {
    std::string_view code;
    std::optional<std::string_view> say = std::nullopt;
    std::optional<std::string_view> vip = std::nullopt;
    std::optional<std::string_view> tip = std::nullopt;
    std::optional<std::string_view> way = std::nullopt;
};

inline void expect_outcome(const Outcome& out, const ExpectedOutcome& want) {
    EXPECT_EQ(out.code, want.code) << "say: " << out.say;
    if (want.say) {
        EXPECT_EQ(out.say, *want.say);
    }
    if (want.vip) {
        EXPECT_EQ(out.vip, *want.vip);
    }
    if (want.tip) {
        EXPECT_EQ(out.tip, *want.tip);
    }
    if (want.way) {
        EXPECT_EQ(out.way, *want.way);
    }
}

}  // namespace vesk::test
