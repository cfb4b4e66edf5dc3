// The outcomes of the run stage that need nothing but texts.
#include "diagnostics/picture.hpp"
#include "driver/result.hpp"

namespace vesk {

Outcome range_outcome(std::string_view printed) {
    Outcome out;
    out.say = "The program must return an integer. Instead we encountered:\n";
    out.say += printed;
    out.code = "range";
    out.tip = excerpt(printed);
    return out;
}

}  // namespace vesk
