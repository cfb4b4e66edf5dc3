// Atoms: the bytes of a chunk between its cuts.
#include "front/byte_sets.hpp"
#include "front/layout.hpp"
#include "front/names.hpp"
#include "front/parse_machine.hpp"

namespace vesk {

namespace {

// Bytes that end every atom: operators and affixes. None of them is inside
// an atom's first group, which is passed over whole.
constexpr ByteSet kAtomStops = make_byte_set(";\\{?\n&|=<>#@ +-:.*/%'^~!\"$`");

}  // namespace

std::size_t atom_end(const ParseMachine& m, std::size_t a, std::size_t end, bool comma_ends) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(m.text.data());
    std::size_t j = past_group(m.text, m.brackets, a);
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
