// The prelude: the combinators A..Z and the meanings of the operator
// characters, loaded into the global table before every program.
#pragma once

#include <string_view>

namespace vesk {

// The fixed prelude text: 51 comma-led definitions, 555 bytes.
std::string_view prelude_text();
// Empties the global table, the uncached names, the prelude table and the
// built-in table.
void reset_globals();
// Resets the globals, then stores every prelude definition in the global
// table and copies the table to the prelude table.
void load_prelude();

}  // namespace vesk
