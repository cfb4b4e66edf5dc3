// The handlers of the term and value family (terms_family.cpp lists them).
// Every handler has the one built-in signature and borrows its arguments.
#pragma once

#include <cstdint>
#include <optional>

#include "builtins/values.hpp"
#include "numbers/bits.hpp"
#include "runtime/call.hpp"

namespace vesk {

// Kinds and conversions (terms_convert.cpp).
TermRef type_handler(Call& call);
TermRef real_handler(Call& call);
TermRef zits_handler(Call& call);
TermRef init_handler(Call& call);
TermRef cape_handler(Call& call);
TermRef lisp_handler(Call& call);
// Sizes, elements and parts (terms_measure.cpp).
TermRef rank_handler(Call& call);
TermRef look_handler(Call& call);
TermRef trim_handler(Call& call);
// Bytes in memory (terms_memory.cpp).
TermRef post_handler(Call& call);
TermRef copy_handler(Call& call);
// The update that matches look (terms_cork.cpp).
TermRef cork_handler(Call& call);
// Pairs and lists (terms_lists.cpp).
TermRef leaf_handler(Call& call);
TermRef left_handler(Call& call);
TermRef rght_handler(Call& call);
TermRef lits_handler(Call& call);
TermRef lots_handler(Call& call);
// Cells (terms_cells.cpp).
TermRef tern_handler(Call& call);
TermRef raws_handler(Call& call);
TermRef leak_handler(Call& call);
TermRef assert_handler(Call& call);

// ---- Shared by the handlers above (terms_measure.cpp) ----------------------

// An index i into something of `length` elements as look reads it: a
// negative i counts from the end; empty when it is still negative or not
// below the length.
std::optional<std::size_t> element_index(std::int64_t i, std::size_t length);
// The 64-bit pattern of a real (t must be of kind real).
std::uint64_t real_bits(const Term* t);
// The real leaf of a 64-bit pattern.
TermRef real_of_bits(std::uint64_t bits);
// The code number of a hint or numb (the bit string the number stands
// for); empty for a malformed number.
std::optional<BitString> number_code(const Term* t);

}  // namespace vesk
