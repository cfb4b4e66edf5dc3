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

// Rewrites `root` (borrowed) children first where a rule applies, and keeps
// every part that no rule touched as the very cell it was. `rule_at(pair)`
// says whether a rule rewrites that pair (borrowed) when its children come
// back as they were; `pair_fn(Term* original, TermRef left, TermRef right)`
// gives the new term of such a pair, and of every pair with a changed child
// (children consumed). Leaves are never rewritten.
//
// A result on the stack is an owned cell, or null for "the subterm as it
// was": the parts of a program that hold nothing to rewrite, nearly all of
// it, cost a visit each and no reference counting or rebuilding.
template <typename RuleAt, typename PairFn>
[[nodiscard]] TermRef rewrite_changed(const TermRef& root, RuleAt&& rule_at, PairFn&& pair_fn) {
    struct Frame {
        Term* cell;
        bool children_done;
        bool shared;
    };
    std::vector<Frame> todo;
    std::vector<Term*> done;
    todo.reserve(kWalkRoom);
    done.reserve(kWalkRoom);
    todo.push_back({root.get(), false, false});
    // The results of cells with several owners, each entry owning its cell.
    std::unordered_map<const Term*, Term*> remembered;
    while (!todo.empty()) {
        Frame frame = todo.back();
        todo.pop_back();
        Term* cell = frame.cell;
        if (is_leaf_cell(cell)) {
            done.push_back(nullptr);
        } else if (!frame.children_done) {
            bool shared = refs_of(cell) > 1;
            auto found = shared ? remembered.find(cell) : remembered.end();
            if (found != remembered.end()) {
                if (found->second != nullptr) retain(found->second);
                done.push_back(found->second);
                continue;
            }
            todo.push_back({cell, true, shared});
            todo.push_back({right_cell(cell), false, false});
            todo.push_back({left_cell(cell), false, false});
        } else {
            Term* right = done.back();
            done.pop_back();
            Term* left = done.back();
            done.pop_back();
            Term* out = nullptr;
            if (left != nullptr || right != nullptr || rule_at(cell)) {
                TermRef l = left != nullptr ? TermRef::adopt(left) : TermRef(left_cell(cell));
                TermRef r = right != nullptr ? TermRef::adopt(right) : TermRef(right_cell(cell));
                TermRef result = pair_fn(cell, std::move(l), std::move(r));
                if (result.get() != cell) out = result.take();
            }
            if (frame.shared) {
                if (out != nullptr) retain(out);
                remembered.emplace(cell, out);
            }
            done.push_back(out);
        }
    }
    for (const auto& entry : remembered)
        if (entry.second != nullptr) release(entry.second);
    return done.back() != nullptr ? TermRef::adopt(done.back()) : root;
}

}  // namespace vesk
