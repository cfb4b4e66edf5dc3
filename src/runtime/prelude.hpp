// The prelude: the combinators A..Z and the meanings of the operator
// characters, loaded into the global table before every program.
#pragma once

#include <string_view>

namespace vesk {

// The fixed prelude text: 51 comma-led definitions, 555 bytes.
std::string_view prelude_text();
struct Runtime;

// Empties the runtime's global table, uncached names and prelude table, and
// forgets its shared leaves (their annotations read the old globals). The
// built-in table stays.
void reset_globals(Runtime& rt);
// Resets the globals, then stores every prelude definition in the global
// table and copies the table to the prelude table.
void load_prelude(Runtime& rt);

}  // namespace vesk
