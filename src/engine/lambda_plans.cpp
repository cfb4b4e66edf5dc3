#include "engine/lambda_plans.hpp"

#include <cstdint>

#include "engine/annotate.hpp"
#include "engine/lift.hpp"
#include "engine/name_cache.hpp"
#include "engine/plan_choice.hpp"
#include "engine/plan_heads.hpp"

namespace vesk {

namespace {

std::size_t slot_of(const Term* body) {
    auto bits = reinterpret_cast<std::uintptr_t>(body) >> 3;
    return static_cast<std::size_t>(bits * 0x9E3779B97F4A7C15ull >> 58) % kLambdaSlots;
}

// The lambda's argument is a value (\ reduces it first) and so is every
// value a closure inside captures: the body is planned as a global's is.
SubstitutionPlan plan_of(NameCache& cache, Term* body, unsigned char letter) {
    TermRef done = lift_binders(cache, body);
    if (engine_plan_heads) done = contract_plan_head(cache, done);
    std::uint32_t letters = letter_bit(letter);
    SubstitutionPlan plan = make_plan(cache.rt.globals, std::move(done), letters, true);
    attach_choices(cache, plan, letters);
    return plan;
}

}  // namespace

const SubstitutionPlan* lambda_plan(NameCache& cache, Term* body, unsigned char letter) {
    if (!cache.plan_heads || !engine_lift_binders) return nullptr;
    std::size_t index = slot_of(body);
    LambdaSlot& slot = cache.lambdas.slots[index];
    if (slot.body && slot.body->cell == body && slot.letter == letter) return &*slot.plan;
    if (slot.seen != body) {
        slot.seen = body;  // once: the walk does it
        return nullptr;
    }
    // Planning may look names up and make other plans, but no lambda's:
    // the slot is still this one afterwards.
    SubstitutionPlan plan = plan_of(cache, body, letter);
    LambdaSlot& again = cache.lambdas.slots[index];
    again.body.emplace(body);
    again.letter = letter;
    again.plan = std::move(plan);
    again.seen = nullptr;
    return &*again.plan;
}

void forget_lambda_plans(LambdaPlans& plans) {
    for (LambdaSlot& slot : plans.slots) slot = LambdaSlot{};
}

}  // namespace vesk
