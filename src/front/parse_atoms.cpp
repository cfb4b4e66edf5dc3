// Atoms: the bytes of a chunk between its cuts.
#include "front/byte_sets.hpp"
#include "front/layout.hpp"
#include "front/names.hpp"
#include "front/parse_machine.hpp"

namespace vesk {

namespace {

// Bytes that end every atom: operators, affixes and closing brackets. None
// of them is inside an atom's first group, which is passed over whole.
constexpr ByteSet kAtomStops = make_byte_set(";\\{?\n&|=<>#@ +-:.*/%'^~!\"$`)}");

// Index of the ']' that closes the square literal opening at `i`: inside
// one only square brackets count, and they nest.
std::size_t square_end(std::string_view text, std::size_t i) {
    std::size_t depth = 0;
    for (;; ++i) {
        VESK_ASSERT(i < text.size());
        if (text[i] == '[') ++depth;
        if (text[i] == ']' && --depth == 0) return i;
    }
}

}  // namespace

std::size_t atom_end(const ParseMachine& m, std::size_t a, std::size_t end, bool comma_ends) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(m.text.data());
    std::size_t j = bytes[a] == '[' ? square_end(m.text, a) + 1 : a + 1;
    while (j < end && !kAtomStops[bytes[j]] && !(comma_ends && bytes[j] == ',') &&
           !is_atom_cut(bytes[j - 1], bytes[j]))
        ++j;
    return j;
}

// Numbers, names and square literals keep their text; a single byte is its
// shared leaf, a NUL byte the newline leaf. A run of several other bytes (a
// stray comma beside a name, say) stays one leaf of its text.
TermRef atom_term(ParseMachine& m, std::size_t a, std::size_t stop) {
    std::string_view atom = m.text.substr(a, stop - a);
    unsigned char first = static_cast<unsigned char>(atom[0]);
    if (is_digit_byte(first) || is_lower_byte(first) || first == '[' || atom.size() > 1)
        return text_leaf(m, atom);
    return byte_leaf(m, first == '\0' ? '\n' : first);
}

}  // namespace vesk
