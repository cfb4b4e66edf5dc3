// A program's definitions in name order. A large program defines thousands
// of names: filling each table by one ordered pass over them (and testing
// them against the base by one merge) costs a comparison or two a name,
// where a search per definition and table costs a dozen.
#pragma once

#include <vector>

#include "diagnostics/outcome.hpp"
#include "runtime/definitions.hpp"
#include "runtime/runtime.hpp"

namespace vesk {

// Every definition of `program` (borrowed), by name; equal names in text
// order.
[[nodiscard]] std::vector<ParsedDefinition*> definitions_by_name(ParsedProgram& program);
// The last of each name, which is the one that stays (a later definition
// replaces an earlier one), from a list in name order.
[[nodiscard]] std::vector<ParsedDefinition*> last_of_each_name(
    const std::vector<ParsedDefinition*>& by_name);
// Whether any of the definitions (in name order) defines a name of `globals`.
[[nodiscard]] bool defines_any(const GlobalTable& globals,
                               const std::vector<ParsedDefinition*>& by_name);
// refusal_of: the loader's refusal of the first definition, in text order,
// that may not be stored, or "check".
[[nodiscard]] Outcome first_refusal(const Runtime& rt, const ParsedProgram& program,
                                    const std::vector<ParsedDefinition*>& by_name);

}  // namespace vesk
