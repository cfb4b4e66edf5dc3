#include "engine/switches.hpp"

#include "engine/integer_body.hpp"
#include "engine/lift.hpp"
#include "engine/machine.hpp"
#include "engine/plan_heads.hpp"
#include "engine/substitute.hpp"

namespace vesk {

void set_compiled_forms(bool on) {
    engine_plan_heads = on;
    engine_lift_binders = on;
    engine_plan_choices = on;
    engine_integer_bodies = on;
    engine_alias_shortcut = on;
    engine_unbuilt_spine = on;
    engine_argument_shortcut = on;
}

}  // namespace vesk
