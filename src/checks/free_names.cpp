#include "checks/free_names.hpp"

#include <cstdint>
#include <map>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "checks/binders.hpp"
#include "front/names.hpp"

namespace vesk {

namespace {

// The walk keeps the names bound around the current cell as counts, and
// numbers the scopes it enters so that a shared cell met again in the same
// scope is not walked twice. Entering a binder with one owner always opens
// a new scope (it can be entered only once from its one parent); entering a
// shared binder from a given scope always gives the same number.
enum class Step : std::uint8_t { visit, bind, unbind };

struct Task {
    Step step;
    Term* cell;           // the cell to visit, or the bound leaf to (un)bind
    std::uint64_t scope;  // visit only
};

// Names are views into the leaves of the term, which outlives the walk; a
// bracketed bound part "[+]" is viewed at its middle byte. Hash containers,
// because every leaf of every definition is looked up here.
struct NameWalk {
    std::unordered_set<std::string_view> found;
    std::unordered_map<std::string_view, int> bound;
    std::uint64_t next_scope = 1;
    std::map<std::pair<std::uint64_t, const Term*>, std::uint64_t> shared_scopes;
    std::set<std::pair<const Term*, std::uint64_t>> seen;
    std::vector<Task> todo;

    std::uint64_t inner_scope(std::uint64_t outer, const Term* binder) {
        if (refs_of(binder) <= 1) return next_scope++;
        auto [at, fresh] = shared_scopes.try_emplace({outer, binder}, next_scope);
        if (fresh) ++next_scope;
        return at->second;
    }

    // Pushes, to run in this order: value (let only), bind, body, unbind.
    void enter_binder(Term* binder, Term* bound_leaf, Term* value, std::uint64_t scope) {
        todo.push_back({Step::unbind, bound_leaf, 0});
        todo.push_back({Step::visit, binder_body(binder), inner_scope(scope, binder)});
        todo.push_back({Step::bind, bound_leaf, 0});
        if (value != nullptr) todo.push_back({Step::visit, value, scope});
    }

    void visit_leaf(const Term* leaf) {
        std::string_view text = leaf_view(leaf);
        if (text == "{" || text == "\\" || !is_name_leaf(text)) return;
        if (bound.find(text) == bound.end()) found.insert(text);
    }

    void visit(Term* cell, std::uint64_t scope) {
        if (is_leaf_cell(cell)) {
            visit_leaf(cell);
            return;
        }
        if (refs_of(cell) > 1 && !seen.insert({cell, scope}).second) return;
        if (is_lambda_cell(cell) && is_name_binder(lambda_bound(cell))) {
            enter_binder(cell, lambda_bound(cell), nullptr, scope);
        } else if (is_let_cell(cell) && is_name_binder(let_bound(cell))) {
            enter_binder(cell, let_bound(cell), let_value(cell), scope);
        } else {
            todo.push_back({Step::visit, right_cell(cell), scope});
            todo.push_back({Step::visit, left_cell(cell), scope});
        }
    }

    // The name a bound part binds: name_text of its text, as a view.
    static std::string_view bound_name(const Term* leaf) {
        std::string_view text = leaf_view(leaf);
        return text[0] == '[' ? text.substr(1, 1) : text;
    }

    void run(Term* root) {
        todo.push_back({Step::visit, root, 0});
        while (!todo.empty()) {
            Task task = todo.back();
            todo.pop_back();
            if (task.step == Step::visit) {
                visit(task.cell, task.scope);
                continue;
            }
            std::string_view name = bound_name(task.cell);
            if (task.step == Step::bind) {
                ++bound[name];
            } else if (--bound[name] == 0) {
                bound.erase(name);
            }
        }
    }
};

}  // namespace

std::set<Bytes, std::less<>> free_name_set(const TermRef& term) {
    NameWalk walk;
    walk.run(term.get());
    return std::set<Bytes, std::less<>>(walk.found.begin(), walk.found.end());
}

NameUses free_names_of(const GlobalTable& definitions) {
    NameUses uses;
    for (const auto& [name, term] : definitions)
        uses.emplace_hint(uses.end(), name, free_name_set(term));
    return uses;
}

TermRef name_list(const std::set<Bytes, std::less<>>& names) {
    TermRef list = leaf_term("()");
    for (auto at = names.rbegin(); at != names.rend(); ++at) {
        list = make_pair(leaf_term(*at), std::move(list));
    }
    return list;
}

TermRef free_names(const TermRef& term) {
    return name_list(free_name_set(term));
}

}  // namespace vesk
