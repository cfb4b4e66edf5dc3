#include "builtins/families.hpp"

#include "builtins/arithmetic.hpp"
#include "builtins/definitions_family.hpp"
#include "builtins/host_families.hpp"
#include "builtins/terms_family.hpp"

namespace vesk {

namespace {

const BuiltinFamily* const kFamilies[] = {
    &kArithmeticFamily, &kTermsFamily,      &kDefinitionsFamily, &kMemoryFamily,
    &kBlocksFamily,     &kClibMathFamily,   &kClibConvertFamily, &kClibCharFamily,
    &kClibTextFamily,   &kClibStreamFamily, &kClibTimeFamily,    &kClibProcessFamily,
    &kClibErrnoFamily,  &kClibDirFamily,    &kSocketFamily,      &kSocketNameFamily,
};

// Every name must be a lower-case name ('_' and 'a'..'z'): the machine
// relies on it when it dispatches on a redex's head, and the loader when it
// refuses to redefine one.
bool is_builtin_name(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name) {
        if (c != '_' && (c < 'a' || c > 'z')) return false;
    }
    return true;
}

}  // namespace

std::span<const BuiltinFamily* const> builtin_families() {
    return kFamilies;
}

void install_builtins(Runtime& rt) {
    for (const BuiltinFamily* family : kFamilies) {
        for (const BuiltinRow& row : family->rows) {
            VESK_ASSERT(is_builtin_name(row.name));
            VESK_ASSERT(row.handler != nullptr && row.arity <= kMaxBuiltinArity);
            rt.builtins.insert_or_assign(row.name, &row);
        }
    }
}

}  // namespace vesk
