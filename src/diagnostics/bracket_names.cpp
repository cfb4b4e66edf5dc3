#include "diagnostics/bracket_names.hpp"

#include "terms/assert.hpp"

namespace vesk {

std::string_view bracket_kind_name(char bracket) {
    switch (bracket) {
        case '(':
        case ')': return "parenthesis";
        case '[':
        case ']': return "bracket";
        case '{':
        case '}': return "wing";
        default: VESK_ASSERT(false); return {};
    }
}

}  // namespace vesk
