#include "checks/sharing.hpp"

#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "checks/letters.hpp"
#include "checks/walk.hpp"
#include "engine/annotate.hpp"

namespace vesk {

namespace {

// Entries are found through a structural hash: a leaf hashes its text (a
// counted leaf its payload, which is what compare_terms compares), a pair
// the hashes of its children. Because children are made shared before their
// parent, equal terms meet under the same hash, and compare_cells there
// settles equality, usually at once since equal children are the same cells.
//
using Slot = SharingSlot;

std::size_t slot_of(const SharingTable& table, std::uint64_t hash) {
    return static_cast<std::size_t>(hash) & (table.slots.size() - 1);
}

// Places an owned cell into a table known to have room and not to hold it.
void place(SharingTable& table, std::uint64_t hash, Term* cell) {
    std::size_t at = slot_of(table, hash);
    while (table.slots[at].cell != nullptr) at = (at + 1) & (table.slots.size() - 1);
    table.slots[at] = {hash, cell};
    ++table.used;
}

// Moves every entry into a fresh array of `size` slots (a power of two).
void rehash(SharingTable& table, std::size_t size) {
    SharingSlots old = std::move(table.slots);
    table.slots.assign(size, Slot{0, nullptr});
    table.used = 0;
    for (const Slot& slot : old) {
        if (slot.cell != nullptr) place(table, slot.hash, slot.cell);
    }
}

void grow(SharingTable& table) {
    rehash(table, table.slots.empty() ? 1024 : table.slots.size() * 2);
}

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9u;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebu;
    return x ^ (x >> 31);
}

std::uint64_t leaf_hash(const Term* leaf) {
    std::string_view text = leaf_view(leaf);
    std::uint64_t h = 0xcbf29ce484222325u;
    if (first_byte(leaf) == '(') {
        text = text.substr(text.find(')') + 1);
        h ^= 0x5a;
    }
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return mix(h);
}

std::uint64_t pair_hash(std::uint64_t left, std::uint64_t right) {
    return mix(left * 0x9e3779b97f4a7c15u + (right ^ 0x632be59bd9b4e019u));
}

// Children are entered before their parent, so two equal pairs nearly
// always have the very same children: that settles it without a walk.
// Two leaves other than counted ones are equal when their lengths, kinds
// and bytes are (a value word is not part of a leaf's value).
bool same_term(const Term* entry, const Term* candidate) {
    bool leaf = is_leaf_cell(entry);
    if (leaf != is_leaf_cell(candidate)) return false;
    if (!leaf) {
        if (left_cell(entry) == left_cell(candidate) && right_cell(entry) == right_cell(candidate))
            return true;
    } else if (leaf_kind(entry) != LeafKind::counted && leaf_kind(candidate) != LeafKind::counted) {
        return leaf_length(entry) == leaf_length(candidate) &&
               leaf_kind(entry) == leaf_kind(candidate) &&
               std::memcmp(leaf_chars(entry), leaf_chars(candidate), leaf_length(entry)) == 0;
    }
    return compare_cells(entry, candidate) == 0;
}

// The table's entry equal to `candidate` (consumed), entering it if none is.
TermRef intern(SharingTable& table, TermRef candidate, std::uint64_t hash) {
    if (2 * (table.used + 1) > table.slots.size()) grow(table);
    std::size_t at = slot_of(table, hash);
    for (; table.slots[at].cell != nullptr; at = (at + 1) & (table.slots.size() - 1)) {
        const Slot& slot = table.slots[at];
        if (slot.hash == hash && same_term(slot.cell, candidate.get())) {
            return TermRef(slot.cell);
        }
    }
    table.slots[at] = {hash, candidate.get()};
    ++table.used;
    retain(candidate.get());
    return candidate;
}

// Whether the table's `entry` equals the pair (left right), the children
// already shared. They nearly always are the entry's own children; an entry
// kept as a value may hold children that have left the table since, and
// those are compared.
bool same_pair(const Term* entry, const Term* left, const Term* right) {
    if (is_leaf_cell(entry)) return false;
    if (left_cell(entry) == left && right_cell(entry) == right) return true;
    return compare_cells(left_cell(entry), left) == 0 &&
           compare_cells(right_cell(entry), right) == 0;
}

// The table's entry equal to the pair of `left` and `right` (consumed, both
// already shared), entering that pair if none is: `original` itself
// (borrowed) when those are its children, a new pair otherwise. Most pairs of
// a program are found, and then no pair is made only to be dropped.
TermRef intern_pair(SharingTable& table, std::uint64_t hash, Term* original, TermRef left,
                    TermRef right) {
    if (2 * (table.used + 1) > table.slots.size()) grow(table);
    std::size_t at = slot_of(table, hash);
    for (; table.slots[at].cell != nullptr; at = (at + 1) & (table.slots.size() - 1)) {
        const Slot& slot = table.slots[at];
        if (slot.hash == hash && same_pair(slot.cell, left.get(), right.get())) {
            return TermRef(slot.cell);
        }
    }
    TermRef pair = keep_or_pair(original, std::move(left), std::move(right));
    table.slots[at] = {hash, pair.get()};
    ++table.used;
    retain(pair.get());
    return pair;
}

struct Shared {
    TermRef term;
    std::uint64_t hash;
};

// The shared form of the leaves met in one walk, by cell. The parser gives
// every place of a text one leaf, so a definition meets most of its leaves
// many times; a hit spares the renaming lookup, the hash and the probe.
// Direct-mapped: a miss only costs the full way. A result is held by the
// table, which drops nothing during a walk, and a leaf by the walked term.
struct LeafMemo {
    static constexpr std::size_t kSize = 64;
    struct Entry {
        const Term* leaf = nullptr;
        Term* shared = nullptr;
        std::uint64_t hash = 0;
    };
    std::array<Entry, kSize> entries{};

    Entry& slot(const Term* leaf) {
        return entries[(reinterpret_cast<std::uintptr_t>(leaf) >> 3) % kSize];
    }
};

Shared share_letter(SharingTable& table, const TermRef& letter) {
    std::uint64_t hash = leaf_hash(letter.get());
    return {intern(table, letter, hash), hash};
}

// The shared form of the unrenamed `leaf` (borrowed), through the pass's
// memo when there is one.
Shared share_plain_leaf(SharingTable& table, SharingMemo* pass, Term* leaf) {
    SharingMemo::Entry* kept = nullptr;
    if (pass != nullptr) {
        kept = &pass->leaves[(reinterpret_cast<std::uintptr_t>(leaf) >> 3) % SharingMemo::kLeaves];
        if (kept->leaf == leaf) return {TermRef(kept->shared), kept->hash};
    }
    std::uint64_t hash = leaf_hash(leaf);
    TermRef shared = intern(table, TermRef(leaf), hash);
    if (kept != nullptr) {
        if (kept->leaf != nullptr) release(kept->leaf);
        retain(leaf);
        *kept = {leaf, shared.get(), hash};
    }
    return {std::move(shared), hash};
}

// The shared form of `leaf` (borrowed), renamed by `letters` (or null).
Shared share_leaf(SharingTable& table, LeafMemo& memo, Term* leaf, const LetterLeaves* letters,
                  SharingMemo* pass) {
    LeafMemo::Entry& entry = memo.slot(leaf);
    if (entry.leaf == leaf) return {TermRef(entry.shared), entry.hash};
    const TermRef* letter = letters ? letter_of_text(*letters, leaf_view(leaf)) : nullptr;
    Shared shared =
        letter != nullptr ? share_letter(table, *letter) : share_plain_leaf(table, pass, leaf);
    entry = {leaf, shared.term.get(), shared.hash};
    return shared;
}

// The letter leaves of `choice` (borrowed), each the table's own cell for
// its letter, made once per pass when there is a memo.
LetterLeaves shared_letter_leaves(SharingTable& table, const LetterChoice& choice,
                                  SharingMemo* pass) {
    if (pass == nullptr) return letter_leaves(choice);
    LetterLeaves letters;
    letters.leaves.reserve(choice.size());
    for (const auto& [name, letter] : choice) {
        SharingMemo::Entry& kept = pass->letters[static_cast<std::size_t>(letter - 'a')];
        if (kept.shared == nullptr) {
            Shared shared = share_letter(table, leaf_term(std::string_view(&letter, 1)));
            kept = {nullptr, shared.term.get(), shared.hash};  // the table holds the cell
        }
        letters.leaves.emplace_back(name, TermRef(kept.shared));
    }
    return letters;
}

// A shared form as the fold carries it: an owned cell and its hash.
struct Folded {
    Term* cell = nullptr;
    std::uint64_t hash = 0;
};

Folded folded(Shared shared) {
    return {shared.term.take(), shared.hash};
}

// The rebuild walk of walk.hpp, carrying each result's hash beside it, and
// renaming by `letters` (null: no renaming) on the way.
TermRef share_walk(SharingTable& table, TermRef term, const LetterLeaves* letters,
                   SharingMemo* pass) {
    LeafMemo memo;
    auto leaf_fn = [&](Term* leaf) { return folded(share_leaf(table, memo, leaf, letters, pass)); };
    auto pair_fn = [&](Term* pair, Folded left, Folded right) {
        Shared r{TermRef::adopt(right.cell), right.hash};
        if (const TermRef* letter = letters ? letter_of_bracket_binder(*letters, pair) : nullptr) {
            r = share_letter(table, *letter);
        }
        std::uint64_t hash = pair_hash(left.hash, r.hash);
        return Folded{
            intern_pair(table, hash, pair, TermRef::adopt(left.cell), std::move(r.term)).take(),
            hash};
    };
    auto copy = [](const Folded& f) {
        retain(f.cell);
        return f;
    };
    auto drop = [](Folded& f) { release(f.cell); };
    return TermRef::adopt(fold_term<Folded>(term.get(), leaf_fn, pair_fn, copy, drop).cell);
}

}  // namespace

TermRef share_term(SharingTable& table, TermRef term) {
    return share_walk(table, std::move(term), nullptr, nullptr);
}

TermRef share_renamed(SharingTable& table, TermRef term, const LetterChoice& choice,
                      SharingMemo* memo) {
    if (choice.empty()) return share_walk(table, std::move(term), nullptr, memo);
    LetterLeaves letters = shared_letter_leaves(table, choice, memo);
    return share_walk(table, std::move(term), &letters, memo);
}

void reserve_sharing(SharingTable& table, std::size_t entries) {
    std::size_t size = table.slots.empty() ? 1024 : table.slots.size();
    while (size < 2 * (table.used + entries + 1)) size *= 2;
    if (size > table.slots.size()) rehash(table, size);
}

void clear_sharing_table(SharingTable& table) {
    SharingSlots old = std::move(table.slots);
    table.slots.clear();
    table.used = 0;
    for (const Slot& slot : old) {
        if (slot.cell != nullptr) release(slot.cell);
    }
}

// Linear probing cannot simply empty a slot (later entries of its run would
// be lost), so the survivors are placed into a fresh array.
// The kept slots are set aside and put back into the same array, emptied:
// a fresh array as large would be memory touched for the first time, a
// page fault per 256 slots.
void keep_shared_values(SharingTable& table, const GlobalTable& globals) {
    std::vector<Slot> kept;
    for (Slot& slot : table.slots) {
        if (slot.cell == nullptr) continue;
        if (value_cell(globals, slot.cell)) {
            kept.push_back(slot);
        } else {
            release(slot.cell);
        }
        slot = Slot{0, nullptr};
    }
    table.used = 0;
    for (const Slot& slot : kept) place(table, slot.hash, slot.cell);
}

void share_definitions(SharingTable& table, GlobalTable& globals) {
    clear_sharing_table(table);
    for (auto& entry : globals) entry.second = share_term(table, std::move(entry.second));
    keep_shared_values(table, globals);
}

}  // namespace vesk
