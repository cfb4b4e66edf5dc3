#include "diagnostics/cycle.hpp"

#include "diagnostics/picture.hpp"

namespace vesk {

Outcome cycle_outcome(std::string_view name) {
    Outcome out;
    out.say = "Cycle detected on function ";
    out.say += name;
    out.say += '.';
    out.code = "cycle";
    out.vip = excerpt(name);
    return out;
}

}  // namespace vesk
