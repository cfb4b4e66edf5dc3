#include "front/globals.hpp"

namespace vesk {

GlobalTable& global_table() {
    static GlobalTable table;
    return table;
}

UncachedNames& uncached_names() {
    static UncachedNames names;
    return names;
}

GlobalTable& prelude_table() {
    static GlobalTable table;
    return table;
}

}  // namespace vesk
