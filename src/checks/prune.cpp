#include "checks/prune.hpp"

#include <map>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "checks/free_names.hpp"

namespace vesk {

// Users of each defined name are gathered once; the broken set then grows
// from the globals with a missing name along those edges, like a flood fill.
// The names are views into `uses`, which stays unchanged meanwhile. In a
// program that passed the checks no name is missing, and one look at every
// use says so before any user is gathered.
std::set<Bytes, std::less<>> broken_globals(const GlobalTable& globals) {
    return broken_globals(globals, free_names_of(globals));
}

std::set<Bytes, std::less<>> broken_globals(const GlobalTable& globals, const NameUses& uses) {
    std::set<Bytes, std::less<>> broken;
    // Definitions use the same few names over and over: each is looked up
    // in the ordered table once, and its repeats in a hash set of the found.
    bool missing = false;
    std::unordered_set<std::string_view> present;
    for (const auto& entry : uses) {
        for (const Bytes& used : entry.second) {
            if (present.count(used) != 0) continue;
            if (globals.count(used) == 0) {
                missing = true;
                break;
            }
            present.insert(used);
        }
        if (missing) break;
    }
    if (!missing) return broken;
    std::unordered_map<std::string_view, std::vector<std::string_view>> users;
    std::vector<std::string_view> todo;
    for (const auto& [name, used_names] : uses) {
        for (const Bytes& used : used_names) {
            if (globals.count(used) != 0) {
                users[used].push_back(name);
            } else if (broken.emplace(name).second) {
                todo.push_back(name);
            }
        }
    }
    while (!todo.empty()) {
        std::string_view name = todo.back();
        todo.pop_back();
        auto found = users.find(name);
        if (found == users.end()) continue;
        for (std::string_view user : found->second) {
            if (broken.emplace(user).second) todo.push_back(user);
        }
    }
    return broken;
}

// A restored prelude definition uses only prelude names and built-ins, so
// it is whole again whenever the built-in table is. Should one still be
// broken (or break a global that used it), the later rounds remove it
// outright: nothing that uses a missing name may reach the annotation.
void prune_broken(GlobalTable& globals, const GlobalTable& prelude, UncachedNames& uncached) {
    prune_broken(globals, free_names_of(globals), prelude, uncached);
}

bool prune_broken(GlobalTable& globals, NameUses uses, const GlobalTable& prelude,
                  UncachedNames& uncached) {
    bool restored = false;
    std::set<Bytes, std::less<>> broken = broken_globals(globals, uses);
    for (const Bytes& name : broken) {
        auto original = prelude.find(name);
        if (original != prelude.end()) {
            globals.insert_or_assign(name, original->second);
            uses[name] = free_name_set(original->second);
            restored = true;
        } else {
            globals.erase(name);
            uses.erase(name);
        }
        uncached.erase(name);
    }
    if (!restored) return !broken.empty();
    for (std::set<Bytes, std::less<>> still = broken_globals(globals, uses); !still.empty();
         still = broken_globals(globals, uses)) {
        for (const Bytes& name : still) {
            globals.erase(name);
            uses.erase(name);
        }
    }
    return true;
}

}  // namespace vesk
