// A side cache of name look-ups for one run of the machine: the head leaf of
// a redex, by cell address, to its built-in handler or its global table
// entry, so that no step searches a map by text.
//
// An entry holds one owner of its leaf, so the cell cannot be freed and its
// address reused for another leaf while the entry exists. A global's entry
// points at the value inside the global table's node: std::map nodes stay put
// when other names are added and their values are reassigned in place, so
// the definition read through it is always the current one. Names that are
// neither built-ins nor globals are not cached: meeting one ends the run.
// Erasing a global invalidates entries. Only a built-in's call runs code
// other than the machine during a reduction, and only the built-ins whose
// row says they define globals change the table: the cache is flushed after
// each of their calls, and after any call that leaves the table with
// another size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/annotate.hpp"
#include "engine/integer_code.hpp"
#include "engine/lambda_plans.hpp"
#include "engine/lift.hpp"
#include "engine/substitute.hpp"
#include "runtime/runtime.hpp"
#include "terms/term.hpp"

namespace vesk {

enum class NameKind : std::uint8_t { builtin, global };

struct NameEntry {
    Term* leaf;  // owned; nullptr marks an empty slot
    NameKind kind;
    bool uncached;          // a global listed in the uncached names
    const BuiltinRow* row;  // kind builtin: its row
    TermRef* definition;    // kind global: the table's own value
    int plan;               // kind global: index into plans, or -1
};

// How to unfold a global of at least one lambda: its parameters' letters,
// outermost first, and the recorded substitution into the body under them.
// A constant's plan has no letters and an empty walk: it only remembers that
// the definition is a constant.
// Valid while the global's definition is still `definition`, which the plan
// holds so that its cell cannot be reused by another term meanwhile.
// `code` is the body compiled as an integer body (integer_body.hpp), made
// on the first call that could use it; its calls name other plans by their
// index, which stays valid until the cache is flushed.
struct GlobalPlan {
    TermRef definition;
    std::vector<unsigned char> letters;
    SubstitutionPlan body;
    IntegerCode code;
};

struct NameCache {
    Runtime& rt;                   // whose tables the names are looked up in
    std::vector<NameEntry> slots;  // open addressing, a power of two long
    std::size_t used = 0;
    std::size_t globals_seen = 0;  // the global table's size when last checked
    std::vector<GlobalPlan> plans;
    // Whether plans contract their body's head ahead (plan_heads.hpp) and
    // lift the binders inside (lift.hpp): off for a machine that must take
    // exactly one step.
    bool plan_heads = true;
    // The binders lifted out of bodies; kept across flushes, which drop
    // only their plans.
    LiftedStore lifted;
    // Plans of lambdas applied more than once (lambda_plans.hpp).
    LambdaPlans lambdas;

    explicit NameCache(Runtime& runtime) : rt(runtime) {}
    NameCache(const NameCache&) = delete;
    NameCache& operator=(const NameCache&) = delete;
    ~NameCache();
};

// The entry of a name leaf (borrowed), looking it up on first sight: the
// built-in table first, then the global table. nullptr when the name is
// neither. The entry stays valid until the next lookup or flush.
NameEntry* find_name(NameCache& cache, Term* leaf);  // (defined below)
// The lookup on first sight, out of line.
NameEntry* find_new_name(NameCache& cache, Term* leaf);
// The plan of the entry's current definition, made on first use (kind
// global). nullptr for a definition without leading lambdas: a constant.
// The pointer is valid until the next plan is made. Making a plan may look
// names up, which can move every entry: the caller's entry is not read
// again once a plan has been made.
inline const GlobalPlan* global_plan(NameCache& cache, NameEntry& entry);
// Makes the plan of the entry's current definition (out of line).
const GlobalPlan* make_global_plan(NameCache& cache, NameEntry& entry);
// Forgets every entry, releasing the leaves.
void flush_names(NameCache& cache);
// After a built-in's call: flushes the cache when the built-in defines
// globals or the global table's size has changed since the last check.
void note_builtin_called(NameCache& cache, const BuiltinRow& row);

// The rules of names, which the machine, the plans and the integer code
// all read a global's definition d by (each borrows d):
//   - while a constant's value is computed its definition is the mark ")",
//     and meeting the name then is a cycle;
//   - a constant whose definition is a value already stands for it: an
//     operator name for its function (+ = plus).
inline bool in_progress(const Term* d) {
    return is_leaf_cell(d) && first_byte(d) == ')';
}
// d when it is a value a name may stand for, annotating it first; null for
// the mark and for a definition still to be evaluated. A lambda is a value
// too: a caller that wants only constants asks global_plan as well.
inline Term* standing_value(const GlobalTable& globals, Term* d) {
    if (in_progress(d)) return nullptr;
    ensure_annotated(globals, d);
    return annotated_value(d) ? d : nullptr;
}

// The slot of a leaf in the table: its address, hashed.
inline std::size_t name_slot(const Term* leaf, std::size_t mask) {
    auto bits = reinterpret_cast<std::uintptr_t>(leaf) >> 3;
    return static_cast<std::size_t>(bits * 0x9E3779B97F4A7C15ull >> 20) & mask;
}

inline NameEntry* find_name(NameCache& cache, Term* leaf) {
    if (!cache.slots.empty()) {
        std::size_t mask = cache.slots.size() - 1;
        for (std::size_t i = name_slot(leaf, mask);; i = (i + 1) & mask) {
            NameEntry& e = cache.slots[i];
            if (e.leaf == leaf) return &e;
            if (e.leaf == nullptr) break;
        }
    }
    return find_new_name(cache, leaf);
}

inline const GlobalPlan* global_plan(NameCache& cache, NameEntry& entry) {
    if (entry.plan >= 0) {
        const GlobalPlan& known = cache.plans[static_cast<std::size_t>(entry.plan)];
        if (known.definition.cell == entry.definition->cell) {
            return known.letters.empty() ? nullptr : &known;
        }
    }
    return make_global_plan(cache, entry);
}

}  // namespace vesk
