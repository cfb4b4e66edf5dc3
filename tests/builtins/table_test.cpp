// The built-in table's life cycle, and a built-in called by the machine.
#include "runtime/builtin_table.hpp"

#include "../engine/engine_support.hpp"
#include "builtins/values.hpp"
#include "engine/leaves.hpp"
#include "engine/machine.hpp"

namespace vesk::test {
namespace {

using Table = EngineTest;

TermRef swap_handler(TermRef redex) {
    Arguments args = open_arguments(std::move(redex), 2);
    return make_pair(TermRef(args.at[1]), TermRef(args.at[0]));
}

TermRef kind_handler(TermRef redex) {
    Arguments args = open_arguments(std::move(redex), 1);
    return leaf_term("[" + Bytes(kind_name(classify(args.at[0]))) + "]");
}

TEST_F(Table, RowsLastUntilTheReset) {
    install_builtin("swap", 2, swap_handler);
    ASSERT_EQ(builtin_table().count("swap"), 1u);
    EXPECT_EQ(builtin_table().at("swap").arity, 2);
    clear_builtin_table();
    EXPECT_EQ(builtin_table().count("swap"), 0u);
}

TEST_F(Table, ResetMakesNewSharedLeaves) {
    Term* before = common_leaf(CommonLeaf::K).cell;
    EXPECT_EQ(common_leaf(CommonLeaf::K).cell, before);  // shared while it lasts
    TermRef kept = common_leaf(CommonLeaf::K);
    clear_builtin_table();
    EXPECT_NE(common_leaf(CommonLeaf::K).cell, kept.cell);
    EXPECT_EQ(leaf_text(common_leaf(CommonLeaf::lambda)), "\\");
}

TEST_F(Table, MachineCallsHandlersWithValues) {
    install_builtin("swap", 2, swap_handler);
    install_builtin("kind", 1, kind_handler);
    // The arguments are reduced before the call: swap sees S and K.
    TermRef out = evaluate(term("swap (I S) (K K I)"));
    EXPECT_TRUE(same_term(out, term("K S"))) << show(out);
    EXPECT_EQ(leaf_text(evaluate(term("kind (I 12)"))), "[hint]");
    EXPECT_EQ(leaf_text(evaluate(term("kind (K [x] S)"))), "[zits]");
    EXPECT_EQ(leaf_text(evaluate(term("kind (J H K)"))), "[numb]");
    EXPECT_EQ(leaf_text(evaluate(term("kind I"))), "[void]");
}

}  // namespace
}  // namespace vesk::test
