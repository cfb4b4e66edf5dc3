// The built-in table's life cycle, and a built-in called by the machine.
#include "runtime/builtin_table.hpp"
#include "../support/test_runtime.hpp"

#include "../engine/engine_support.hpp"
#include "runtime/call.hpp"
#include "builtins/values.hpp"
#include <set>

#include "builtins/families.hpp"
#include "runtime/prelude.hpp"
#include "engine/machine.hpp"

namespace vesk::test {
namespace {

using Table = EngineTest;

TermRef swap_handler(Call& call) {
    return make_pair(TermRef(call.args[1]), TermRef(call.args[0]));
}

TermRef kind_handler(Call& call) {
    return leaf_term("[" + Bytes(kind_name(classify(call.args[0]))) + "]");
}

// The rows of every family, as the table is filled from them (their names,
// arities and count are checked in one place: library_test.cpp holds them
// to the whole list of names).
TEST(BuiltinRows, NamesAreUniqueAndRowsWellFormed) {
    std::set<std::string_view> families, names;
    std::size_t rows = 0;
    for (const BuiltinFamily* family : builtin_families()) {
        EXPECT_TRUE(families.insert(family->name).second) << family->name;
        EXPECT_FALSE(family->rows.empty()) << family->name;
        for (const BuiltinRow& row : family->rows) {
            ++rows;
            EXPECT_TRUE(names.insert(row.name).second) << "twice: " << row.name;
            EXPECT_FALSE(row.name.empty());
            for (char c : row.name) EXPECT_TRUE(c == '_' || (c >= 'a' && c <= 'z')) << row.name;
            EXPECT_LE(row.arity, kMaxBuiltinArity) << row.name;
            EXPECT_NE(row.handler, nullptr) << row.name;
        }
    }
    Runtime runtime;
    install_builtins(runtime);
    EXPECT_EQ(runtime.builtins.size(), rows);
    for (const auto& [name, row] : runtime.builtins) EXPECT_EQ(name, row->name);
}

TEST_F(Table, EachRuntimeHasItsOwnSharedLeaves) {
    Term* k = common_leaf(rt().leaves, CommonLeaf::K).cell;
    EXPECT_EQ(common_leaf(rt().leaves, CommonLeaf::K).cell, k);  // shared while it lasts
    Runtime other;
    EXPECT_NE(common_leaf(other.leaves, CommonLeaf::K).cell, k);
    EXPECT_EQ(leaf_text(common_leaf(other.leaves, CommonLeaf::lambda)), "\\");
    TermRef kept = common_leaf(rt().leaves, CommonLeaf::K);
    reset_globals(rt());  // the leaves go with the globals they were annotated by
    EXPECT_NE(common_leaf(rt().leaves, CommonLeaf::K).cell, kept.cell);
}

TEST_F(Table, MachineCallsHandlersWithValues) {
    install_builtin("swap", 2, swap_handler);
    install_builtin("kind", 1, kind_handler);
    // The arguments are reduced before the call: swap sees S and K.
    TermRef out = evaluate(rt(), term("swap (I S) (K K I)"));
    EXPECT_TRUE(same_term(out, term("K S"))) << show(out);
    EXPECT_EQ(leaf_text(evaluate(rt(), term("kind (I 12)"))), "[hint]");
    EXPECT_EQ(leaf_text(evaluate(rt(), term("kind (K [x] S)"))), "[zits]");
    EXPECT_EQ(leaf_text(evaluate(rt(), term("kind (J H K)"))), "[numb]");
    EXPECT_EQ(leaf_text(evaluate(rt(), term("kind I"))), "[void]");
}

}  // namespace
}  // namespace vesk::test
