// The sharing pass: structurally equal terms become one cell. The checks
// run every definition through the runtime's sharing table, so equal
// subterms of a program are stored once; afterwards the table keeps only
// values, for built-ins that hand out shared copies.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "checks/letters.hpp"
#include "runtime/globals.hpp"
#include "runtime/sharing_table.hpp"

namespace vesk {

// The shared copy of `term` (consumed): children first, each subterm is
// replaced by the equal term already in the table, or entered into it when
// there is none. Equal terms (compare_terms gives 0) thus come back as the
// same cell.
[[nodiscard]] TermRef share_term(SharingTable& table, TermRef term);
// What one run of share_renamed over many definitions keeps from one to the
// next: the shared form of each leaf met without renaming (the parser gives
// every place of a text one leaf, so a program's definitions meet the same
// few leaves again and again), and of each letter a renaming puts in. It is
// good only while the table drops nothing: it must go before the table keeps
// only its values. Each remembered leaf is held, so that its cell cannot be
// freed and made again as another leaf while remembered.
struct SharingMemo {
    struct Entry {
        Term* leaf = nullptr;    // held
        Term* shared = nullptr;  // held by the table
        std::uint64_t hash = 0;
    };
    static constexpr std::size_t kLeaves = 4096;  // direct-mapped by address
    std::vector<Entry> leaves = std::vector<Entry>(kLeaves);
    std::array<Entry, 26> letters{};  // `leaf` unused: the letter is the index

    SharingMemo() = default;
    SharingMemo(const SharingMemo&) = delete;
    SharingMemo& operator=(const SharingMemo&) = delete;
    ~SharingMemo() {
        for (const Entry& e : leaves)
            if (e.leaf != nullptr) release(e.leaf);
    }
};

// The cells share_term(table, rename_to_letters(term, choice)) gives, from
// one walk: the renamed copy is never built only to be shared at once.
// `term` is consumed, `choice` borrowed; `memo` (borrowed, or null) carries
// what the definitions shared before this one found.
[[nodiscard]] TermRef share_renamed(SharingTable& table, TermRef term, const LetterChoice& choice,
                                    SharingMemo* memo = nullptr);

// Makes room for `entries` more entries at once, so that a table about to
// take a large program's terms is not doubled and refilled again and again.
void reserve_sharing(SharingTable& table, std::size_t entries);

// Empties the table.
void clear_sharing_table(SharingTable& table);

// Drops the entries that are not values (annotating them against the
// globals as needed).
void keep_shared_values(SharingTable& table, const GlobalTable& globals);

// Empties the table, rewrites every definition through it in name order,
// then keeps only the values.
void share_definitions(SharingTable& table, GlobalTable& globals);

}  // namespace vesk
