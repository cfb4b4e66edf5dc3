#include "builtins/table.hpp"

#include <array>

#include "builtins/arithmetic.hpp"
#include "engine/leaves.hpp"

namespace vesk {

namespace {

// Each family of built-ins registers its rows through one function of this
// type, in its own file. A family joins the list below once its handlers
// work; the table never holds a row whose handler does not.
using Registration = void (*)(BuiltinTable&);

constexpr std::array<Registration, 1> kFamilies = {register_arithmetic};

// Every name must be a lower-case name ('_' and 'a'..'z'): the machine
// relies on it when it dispatches on a redex's head.
bool is_builtin_name(const Bytes& name) {
    if (name.empty()) return false;
    for (char c : name) {
        if (c != '_' && (c < 'a' || c > 'z')) return false;
    }
    return true;
}

BuiltinTable& storage() {
    static BuiltinTable table;
    return table;
}

void fill(BuiltinTable& table) {
    for (Registration family : kFamilies) family(table);
    for (const auto& [name, entry] : table) {
        VESK_ASSERT(is_builtin_name(name));
        VESK_ASSERT(entry.handler != nullptr && entry.arity <= 7);
    }
}

}  // namespace

BuiltinTable& builtin_table() {
    BuiltinTable& table = storage();
    if (table.empty()) fill(table);
    return table;
}

// The shared result leaves go with the table: both belong to one loaded
// program, and a leaf's annotation reads that program's globals.
void clear_builtin_table() {
    storage().clear();
    drop_common_leaves();
}

}  // namespace vesk
