// Reading the reduced result of a program. Only a well-formed integer is a
// success: a term that merely starts like a bit list is reported as the
// non-integer it is.
#include "driver/result.hpp"

#include <cstdint>

#include "diagnostics/error_value.hpp"
#include "front/printer.hpp"
#include "numbers/integers.hpp"

namespace vesk {

Outcome classify_result(TermRef result, int& status) {
    if (!is_pair(result) && first_char(result) == ')') {
        return cycle_outcome(leaf_view(result.get()).substr(1));
    }
    if (is_error_value(result)) {
        Term* fields = right_cell(result.get());
        Outcome out = decode_error_value(is_leaf_cell(fields) ? leaf_view(fields) : "");
        if (!is_check(out)) return out;
    }
    if (is_integer_value(result)) {
        std::int64_t value = int_value(result);
        status = static_cast<int>(static_cast<std::uint32_t>(value));
        return Outcome{};
    }
    return range_outcome(print_term(result));
}


}  // namespace vesk
