#include "engine/name_cache.hpp"

#include "engine/plan_choice.hpp"
#include "engine/plan_heads.hpp"
#include "engine/shape.hpp"

namespace vesk {

namespace {

constexpr std::size_t kFirstSize = 64;

NameEntry* probe(std::vector<NameEntry>& slots, const Term* leaf) {
    std::size_t mask = slots.size() - 1;
    std::size_t i = name_slot(leaf, mask);
    while (slots[i].leaf != nullptr && slots[i].leaf != leaf) i = (i + 1) & mask;
    return &slots[i];
}

void grow(NameCache& cache) {
    std::vector<NameEntry> old = std::move(cache.slots);
    cache.slots.assign(old.empty() ? kFirstSize : old.size() * 2, NameEntry{});
    for (const NameEntry& e : old) {
        if (e.leaf != nullptr) *probe(cache.slots, e.leaf) = e;
    }
}

// Looks the leaf's text up in the tables; false when it names nothing. The
// empty text names nothing: the main expression is kept under it, but no
// program can write that name, and annotation gives the empty leaf the
// arity of any other text.
bool resolve(Runtime& rt, Term* leaf, NameEntry& entry) {
    std::string_view name = leaf_view(leaf);
    if (name.empty()) return false;
    auto builtin = rt.builtins.find(name);
    if (builtin != rt.builtins.end()) {
        entry = {leaf, NameKind::builtin, false, builtin->second, nullptr, -1};
        return true;
    }
    settle_name(rt, name);
    auto global = rt.globals.find(name);
    if (global == rt.globals.end()) return false;
    bool uncached = rt.uncached.find(name) != rt.uncached.end();
    entry = {leaf, NameKind::global, uncached, nullptr, &global->second, -1};
    return true;
}

}  // namespace

NameCache::~NameCache() {
    flush_names(*this);
}

NameEntry* find_new_name(NameCache& cache, Term* leaf) {
    if (cache.slots.empty()) cache.globals_seen = cache.rt.globals.size();
    NameEntry entry{};
    if (!resolve(cache.rt, leaf, entry)) return nullptr;
    if (2 * (cache.used + 1) > cache.slots.size()) grow(cache);
    NameEntry* slot = probe(cache.slots, leaf);
    retain(leaf);
    *slot = entry;
    cache.used++;
    return slot;
}

void flush_names(NameCache& cache) {
    for (NameEntry& e : cache.slots) {
        if (e.leaf != nullptr) release(e.leaf);
    }
    cache.slots.clear();
    cache.used = 0;
    cache.plans.clear();
    forget_lifted_plans(cache.lifted);
    forget_lambda_plans(cache.lambdas);
}

const GlobalPlan* make_global_plan(NameCache& cache, NameEntry& entry) {
    Term* d = entry.definition->cell;
    Term* body = d;
    std::vector<unsigned char> names;
    std::uint32_t letters = 0;
    while (binder_shape(body) == BinderShape::lambda) {
        unsigned char x = first_byte(right_cell(left_cell(body)));
        VESK_ASSERT(x >= 'a' && x <= 'z');
        names.push_back(x);
        letters |= std::uint32_t{1} << (x - 'a');
        body = right_cell(body);
    }
    if (names.empty()) {
        entry.plan = static_cast<int>(cache.plans.size());
        cache.plans.push_back({TermRef(d), {}, SubstitutionPlan{TermRef(d), {}, 0, nullptr}, {}});
        return nullptr;
    }
    Term* leaf = entry.leaf;
    TermRef head_done(body);
    if (cache.plan_heads && engine_plan_heads) head_done = contract_plan_head(cache, head_done);
    // A linear head takes its arguments as they stand: a closure inside its
    // body could capture work, so its binders stay.
    if (cache.plan_heads && engine_lift_binders && !is_linear_byte(first_byte(leaf))) {
        head_done = lift_binders(cache, head_done.cell);
    }
    bool linear = is_linear_byte(first_byte(leaf));  // its arguments as they stand
    SubstitutionPlan plan = make_plan(cache.rt.globals, std::move(head_done), letters, !linear);
    if (!linear) attach_choices(cache, plan, letters);
    // Looking names up may have moved the entries: this one is found again.
    NameEntry* again = find_name(cache, leaf);
    VESK_ASSERT(again != nullptr);
    again->plan = static_cast<int>(cache.plans.size());
    cache.plans.push_back({TermRef(d), std::move(names), std::move(plan), {}});
    return &cache.plans.back();
}

void note_builtin_called(NameCache& cache, const BuiltinRow& row) {
    std::size_t size = cache.rt.globals.size();
    if ((row.effects & defines_globals) != 0 || size != cache.globals_seen) {
        flush_names(cache);
        cache.globals_seen = size;
    }
}

}  // namespace vesk
