// The process-wide sharing table: structurally equal terms become one cell.
// The checks run every definition through it, so equal subterms of a program
// are stored once; afterwards it keeps only values, for built-ins that hand
// out shared copies.
#pragma once

#include <cstddef>

#include "front/globals.hpp"

namespace vesk {

// The shared copy of `term` (consumed): children first, each subterm is
// replaced by the equal term already in the table, or entered into it when
// there is none. Equal terms (compare_terms gives 0) thus come back as the
// same cell.
TermRef share_term(TermRef term);

// Empties the table.
void clear_sharing_table();

// Drops the entries that are not values (annotating them as needed).
void keep_shared_values();

// The number of entries, for tests and benchmarks.
std::size_t sharing_table_size();

// Empties the table, rewrites every definition through it in name order,
// then keeps only the values.
void share_definitions(GlobalTable& globals);

}  // namespace vesk
