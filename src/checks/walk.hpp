// Rebuilding a term bottom-up without recursion. Every pass that rewrites
// definitions goes through here, so no pass nests on the C stack as deep as
// the program's source.
#pragma once

#include <cstdint>
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
    // A frame is a pair whose children are under way: `side` says which
    // (0 the left, 1 the right), `results` hold what they gave. A leaf gives
    // "as it was" at once and takes no frame.
    struct Frame {
        Term* cell;
        Term* results[2];
        std::uint8_t side;
        bool shared;
    };
    std::vector<Frame> todo;
    todo.reserve(kWalkRoom);
    // The results of cells with several owners, each entry owning its cell.
    std::unordered_map<const Term*, Term*> remembered;
    Term* result = nullptr;  // the result of the subterm just finished
    Term* cell = root.get();
    for (;;) {
        if (!is_leaf_cell(cell)) {
            bool shared = refs_of(cell) > 1;
            auto found = shared ? remembered.find(cell) : remembered.end();
            if (found == remembered.end()) {
                todo.push_back({cell, {nullptr, nullptr}, 0, shared});
                cell = left_cell(cell);
                continue;
            }
            result = found->second;
            if (result != nullptr) retain(result);
        } else {
            result = nullptr;
        }
        // Up through the frames the result completes, to a right child to start.
        while (!todo.empty()) {
            Frame& top = todo.back();
            top.results[top.side] = result;
            if (top.side == 0) {
                top.side = 1;
                cell = right_cell(top.cell);
                break;
            }
            Frame frame = top;
            todo.pop_back();
            Term* pair = frame.cell;
            Term* left = frame.results[0];
            Term* right = frame.results[1];
            result = nullptr;
            if (left != nullptr || right != nullptr || rule_at(pair)) {
                TermRef l = left != nullptr ? TermRef::adopt(left) : TermRef(left_cell(pair));
                TermRef r = right != nullptr ? TermRef::adopt(right) : TermRef(right_cell(pair));
                TermRef out = pair_fn(pair, std::move(l), std::move(r));
                if (out.get() != pair) result = out.take();
            }
            if (frame.shared) {
                if (result != nullptr) retain(result);
                remembered.emplace(pair, result);
            }
        }
        if (todo.empty()) break;
    }
    for (const auto& entry : remembered)
        if (entry.second != nullptr) release(entry.second);
    return result != nullptr ? TermRef::adopt(result) : root;
}

}  // namespace vesk
