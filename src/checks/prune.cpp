#include "checks/prune.hpp"

#include <map>
#include <set>
#include <vector>

#include "checks/free_names.hpp"

namespace vesk {

// Users of each defined name are gathered once; the broken set then grows
// from the globals with a missing name along those edges, like a flood fill.
std::set<Bytes> broken_globals(const GlobalTable& globals) {
    std::map<Bytes, std::vector<Bytes>> users;
    std::set<Bytes> broken;
    std::vector<Bytes> todo;
    for (const auto& [name, term] : globals) {
        for (const Bytes& used : free_name_set(term)) {
            if (globals.count(used) != 0) {
                users[used].push_back(name);
            } else if (broken.insert(name).second) {
                todo.push_back(name);
            }
        }
    }
    while (!todo.empty()) {
        Bytes name = std::move(todo.back());
        todo.pop_back();
        auto found = users.find(name);
        if (found == users.end()) continue;
        for (const Bytes& user : found->second) {
            if (broken.insert(user).second) todo.push_back(user);
        }
    }
    return broken;
}

// A restored prelude definition uses only prelude names and built-ins, so
// it is whole again whenever the built-in table is. Should one still be
// broken (or break a global that used it), the second round removes it
// outright: nothing that uses a missing name may reach the annotation.
void prune_broken(GlobalTable& globals, const GlobalTable& prelude, UncachedNames& uncached) {
    for (const Bytes& name : broken_globals(globals)) {
        auto original = prelude.find(name);
        if (original != prelude.end()) {
            globals.insert_or_assign(name, original->second);
        } else {
            globals.erase(name);
        }
        uncached.erase(name);
    }
    for (std::set<Bytes> still = broken_globals(globals); !still.empty();
         still = broken_globals(globals)) {
        for (const Bytes& name : still) globals.erase(name);
    }
}

}  // namespace vesk
