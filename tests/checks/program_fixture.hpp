// Test helper: programs loaded the way a run loads them (prelude, then the
// program's definitions), ready for check_program.
#pragma once

#include <gtest/gtest.h>
#include "../support/test_runtime.hpp"

#include <string_view>

#include "checks/check_program.hpp"
#include "checks/sharing.hpp"
#include "runtime/definitions.hpp"
#include "runtime/globals.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "runtime/prelude.hpp"

namespace vesk::test {

inline TermRef parse(std::string_view text) {
    return parse_expression(normalise_layout(text));
}

class ProgramTest : public testing::Test {
   protected:
    void SetUp() override {
        load_prelude(rt());
        clear_sharing_table(rt().sharing);
    }
    void TearDown() override {
        reset_globals(rt());
        clear_sharing_table(rt().sharing);
    }
    // Loads the program text and checks it: the first outcome that is not "check".
    static Outcome check(std::string_view text) {
        load_prelude(rt());
        Outcome out = load_definitions(rt(), Bytes(text));
        if (!is_check(out)) {
            ADD_FAILURE() << "loading failed: " << out.say;
            return out;
        }
        return check_program(rt());
    }
    static const TermRef& global(const char* name) { return rt().globals.at(name); }
};

}  // namespace vesk::test
