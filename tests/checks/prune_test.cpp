#include "checks/prune.hpp"

#include <gtest/gtest.h>

#include "sexpr.hpp"

namespace vesk {
namespace {

using test::sx;
using test::sx_show;

TEST(BrokenGlobals, MissingNamesBreakTheirUsersTransitively) {
    GlobalTable globals;
    globals.emplace("", sx("(ok 1)"));
    globals.emplace("ok", sx("(\\ x x)"));
    globals.emplace("direct", sx("(missing 1)"));
    globals.emplace("user", sx("(\\ y (direct y))"));
    globals.emplace("further", sx("(user ok)"));
    globals.emplace("loop_a", sx("(loop_b direct)"));
    globals.emplace("loop_b", sx("loop_a"));
    globals.emplace("fine_loop", sx("(fine_loop ok)"));
    EXPECT_EQ(broken_globals(globals),
              (std::set<Bytes, std::less<>>{"direct", "further", "loop_a", "loop_b", "user"}));
}

TEST(PruneBroken, RestoresPreludeDefinitionsAndRemovesTheRest) {
    GlobalTable prelude;
    prelude.emplace("K", sx("(\\ a (\\ b a))"));
    GlobalTable globals = prelude;
    globals.emplace("", sx("1"));
    globals.at("K") = sx("(\\ a (nothing a))");
    globals.emplace("gone", sx("(\\ a (K a))"));
    globals.emplace("kept", sx("(\\ a a)"));
    UncachedNames uncached{"K", "gone", "kept"};
    prune_broken(globals, prelude, uncached);
    ASSERT_EQ(globals.size(), 3u);
    EXPECT_EQ(sx_show(globals.at("K")), "(\\ a (\\ b a))");
    EXPECT_EQ(globals.count("gone"), 0u);
    EXPECT_EQ(uncached, (UncachedNames{"kept"}));
}

TEST(PruneBroken, ARestoredDefinitionThatIsStillBrokenGoes) {
    // The prelude's own definition needs a built-in the table lacks.
    GlobalTable prelude;
    prelude.emplace("+", sx("plus"));
    GlobalTable globals = prelude;
    globals.emplace("", sx("1"));
    globals.emplace("user", sx("(\\ a (+ a 1))"));
    UncachedNames uncached;
    prune_broken(globals, prelude, uncached);
    EXPECT_EQ(globals.size(), 1u);
    EXPECT_TRUE(broken_globals(globals).empty());
}

TEST(PruneBroken, NothingChangesWhenAllNamesAreDefined) {
    GlobalTable globals;
    globals.emplace("", sx("(f 1)"));
    globals.emplace("f", sx("(\\ x (f x))"));
    TermRef before = globals.at("f");
    UncachedNames uncached{"f"};
    prune_broken(globals, {}, uncached);
    EXPECT_EQ(globals.size(), 2u);
    EXPECT_EQ(globals.at("f").get(), before.get());
    EXPECT_EQ(uncached.size(), 1u);
}

}  // namespace
}  // namespace vesk
