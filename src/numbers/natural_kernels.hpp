// Limb loops shared by the Natural operations: fixed-length additions and
// subtractions on raw limb arrays, least significant limb first. Internal to
// src/numbers; the public operations are in natural.hpp.
#pragma once

#include <cstddef>

#include "numbers/natural.hpp"

namespace vesk {

// r[0 .. nr) += a[0 .. na) with na <= nr, the carry running up through r.
// Returns the carry out of r's top limb (0 or 1). r may be a itself only
// when na == nr.
Limb add_into(Limb* r, std::size_t nr, const Limb* a, std::size_t na);
// r[0 .. nr) -= a[0 .. na) with na <= nr. Returns the borrow out of r's top
// limb (0 or 1); 1 means the true result was negative.
Limb sub_into(Limb* r, std::size_t nr, const Limb* a, std::size_t na);
// r[0 .. n) = a[0 .. n) + b[0 .. n); returns the carry. r may alias a or b.
Limb add_same_length(Limb* r, const Limb* a, const Limb* b, std::size_t n);

// The length of a[0 .. n) without its high zero limbs.
inline std::size_t significant_length(const Limb* a, std::size_t n) {
    while (n > 0 && a[n - 1] == 0) --n;
    return n;
}
// Drops high zero limbs, making n normalized.
inline void normalize(Natural& n) {
    n.resize(significant_length(n.data(), n.size()));
}

}  // namespace vesk
