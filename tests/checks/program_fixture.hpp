// Test helper: a global table filled by parsing definitions one by one, with
// the few prelude combinators and built-in templates the checks' tests use.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "checks/sharing.hpp"
#include "front/globals.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"

namespace vesk::test {

inline TermRef parse(std::string_view text) {
    return parse_expression(normalise_layout(text));
}

class ProgramTest : public testing::Test {
   protected:
    void SetUp() override {
        global_table().clear();
        prelude_table().clear();
        uncached_names().clear();
        clear_sharing_table();
        const char* prelude[][2] = {{"I", "a\\a"},           {"K", "a\\b\\a"}, {"H", "a\\I"},
                                    {"V", "a\\b\\c\\c a b"}, {"Z", "a\\Z"},    {"\\", "a\\b\\c\\Z"},
                                    {"{", "a\\b\\c\\Z"},     {"+", "plus"},    {"plus", "a\\b\\Z"},
                                    {"dash", "a\\b\\Z"}};
        for (const auto& definition : prelude) define(definition[0], definition[1]);
        prelude_table() = global_table();
    }
    void TearDown() override {
        global_table().clear();
        prelude_table().clear();
        uncached_names().clear();
        clear_sharing_table();
    }
    static void define(const char* name, std::string_view text) {
        global_table().insert_or_assign(name, parse(text));
    }
    static const TermRef& global(const char* name) { return global_table().at(name); }
};

}  // namespace vesk::test
