// What the whole-program fuzz targets share: the checked base every input
// starts from, and the test that leaves out programs reaching the host.
#pragma once

#include <string_view>

#include "builtins/families.hpp"
#include "driver/checked_base.hpp"

namespace vesk::fuzz {

// True when the text names a built-in whose row says it touches the host:
// such a program may print, exit, remove files or write anywhere, all of
// which the language allows it.
inline bool names_host_builtin(std::string_view text) {
    for (const BuiltinFamily* family : builtin_families()) {
        for (const BuiltinRow& row : family->rows) {
            if ((row.effects & touches_host) != 0 && text.find(row.name) != std::string_view::npos) {
                return true;
            }
        }
    }
    return false;
}

// Made once, never destroyed: its cells outlive every input.
inline CheckedBase& checked_base() {
    static CheckedBase* base = [] {
        auto* made = new CheckedBase;
        prepare_checked_base(*made);
        return made;
    }();
    return *base;
}

}  // namespace vesk::fuzz
