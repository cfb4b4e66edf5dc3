// The way back from the bit tree of a double to a raw leaf.
//
// A byte tree is a complete tree of depth 3 whose inner nodes are V l r (the
// pair ((V l) r)) and whose 8 leaves are bits, K for 1 and H for 0, bit 0
// leftmost. A double tree has the same V shape over 8 byte trees, byte 0
// (least significant) leftmost: the tree real_tree builds from a raw leaf.
// All handles are borrowed.
#pragma once

#include <array>
#include <cstdint>

#include "terms/term.hpp"

namespace vesk {

using DoubleBytes = std::array<unsigned char, 8>;

// True when t has the byte-tree shape with every leaf K or H (by first byte).
bool is_byte_tree(const TermRef& t);
// True when t has the V shape of depth 3 over 8 byte trees.
bool is_double_tree(const TermRef& t);
// The byte of a byte tree: bit i set where leaf i is K. Asserts the shape.
std::uint8_t byte_of(const TermRef& t);
// The 8 bytes of a double tree, byte 0 first. Asserts the shape.
DoubleBytes bytes_of(const TermRef& t);
// The raw leaf (a blank and the 8 bytes) of a double tree, or the failure
// leaf Z for any other term: safe on whatever a program passes.
[[nodiscard]] TermRef pack_double_tree(const TermRef& t);

}  // namespace vesk
