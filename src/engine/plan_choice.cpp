#include "engine/plan_choice.hpp"

#include <utility>
#include <vector>

#include "engine/integer_body.hpp"
#include "engine/plan_heads.hpp"

namespace vesk {

namespace {

// Each level keeps the plans of both branches: four levels hold at most
// thirty plans of one body's parts.
constexpr int kMostLevels = 4;

}  // namespace

void attach_choices(NameCache& cache, SubstitutionPlan& plan, std::uint32_t letters) {
    if (!cache.plan_heads || !engine_plan_heads || !engine_plan_choices) return;
    std::vector<std::pair<SubstitutionPlan*, int>> todo{{&plan, 0}};
    while (!todo.empty()) {
        auto [p, level] = todo.back();
        todo.pop_back();
        Choice c;
        if (level >= kMostLevels || !open_choice(cache, p->body.cell, c)) continue;
        const GlobalTable& globals = cache.rt.globals;
        p->choice.reset(new PlanChoice{std::move(c.test),
                                       make_plan(globals, TermRef(c.yes), letters, true),
                                       make_plan(globals, TermRef(c.no), letters, true)});
        todo.push_back({&p->choice->yes, level + 1});
        todo.push_back({&p->choice->no, level + 1});
    }
}

}  // namespace vesk
