// Rebuilding a term bottom-up without recursion. Every pass that rewrites
// definitions goes through here, so no pass nests on the C stack as deep as
// the program's source.
#pragma once

#include <unordered_map>
#include <utility>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

// Frames a rebuild walk makes room for before it starts.
inline constexpr std::size_t kWalkRoom = 32;

// The pair (left right) as a term: the original cell itself when both
// children came back as its own children, otherwise a new pair. `original`
// is borrowed; `left` and `right` are consumed.
[[nodiscard]] inline TermRef keep_or_pair(Term* original, TermRef left, TermRef right) {
    if (left.get() == left_cell(original) && right.get() == right_cell(original)) {
        return TermRef(original);
    }
    return make_pair(std::move(left), std::move(right));
}

// Rebuilds `root` (borrowed) children first. `leaf_fn(Term* leaf)` gives the
// new term for a leaf; `pair_fn(Term* original, TermRef left, TermRef right)`
// gives the new term for a pair from its rebuilt children (consumed).
//
// Work list: a frame is a cell and whether its children are already on the
// result stack. A cell that has more than one owner when first met may be
// reached again through another parent, so its result is remembered by cell:
// a shared graph costs its distinct cells, not its unfolded tree. A cell
// with one owner is reached at most once per visit of that owner.
template <typename LeafFn, typename PairFn>
[[nodiscard]] TermRef rebuild_term(const TermRef& root, LeafFn&& leaf_fn, PairFn&& pair_fn) {
    struct Frame {
        Term* cell;
        bool children_done;
        bool shared;
    };
    // Room for a definition's usual depth at once, not by doubling.
    std::vector<Frame> todo;
    std::vector<TermRef> done;
    todo.reserve(kWalkRoom);
    done.reserve(kWalkRoom);
    todo.push_back({root.get(), false, false});
    std::unordered_map<const Term*, TermRef> remembered;
    while (!todo.empty()) {
        Frame frame = todo.back();
        todo.pop_back();
        Term* cell = frame.cell;
        if (is_leaf_cell(cell)) {
            done.push_back(leaf_fn(cell));
        } else if (!frame.children_done) {
            bool shared = refs_of(cell) > 1;
            if (shared) {
                auto found = remembered.find(cell);
                if (found != remembered.end()) {
                    done.push_back(found->second);
                    continue;
                }
            }
            todo.push_back({cell, true, shared});
            todo.push_back({right_cell(cell), false, false});
            todo.push_back({left_cell(cell), false, false});
        } else {
            TermRef right = std::move(done.back());
            done.pop_back();
            TermRef left = std::move(done.back());
            done.pop_back();
            TermRef out = pair_fn(cell, std::move(left), std::move(right));
            if (frame.shared) remembered.emplace(cell, out);
            done.push_back(std::move(out));
        }
    }
    return std::move(done.back());
}

}  // namespace vesk
