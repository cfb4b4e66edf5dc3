// tern, raws, leak and assert: the cells behind values, and the language's
// own assertion.
#include <cstdio>
#include <cstdlib>

#include "builtins/terms_parts.hpp"
#include "checks/sharing.hpp"

namespace vesk {

// A waiting definition would have shared its cells before the run: all
// settle before the table is read.
TermRef tern_handler(Call& call) {
    settle_everything(call.rt);
    return share_term(call.rt.sharing, TermRef(call.args[0]));
}

TermRef raws_handler(Call& call) {
    return call.truth(call.args[0] == call.args[1]);
}

// The runtime keeps the reference until the run ends, so the address stays
// valid and the cell is given back with everything else the run held.
TermRef leak_handler(Call& call) {
    call.rt.kept.emplace_back(call.args[0]);
    return pointer_result(call.args[0]);
}

// "H" is a program's own failed assertion: reported in the very words of an
// internal one, naming the library's source "l" and line 242, and the
// process aborts.
TermRef assert_handler(Call& call) {
    const Term* x = call.args[0];
    if (is_byte_leaf(x, 'K')) return call.unit();
    if (!is_byte_leaf(x, 'H')) return call.fail();
    std::fputs("ASSERTION FAILED:l:242\n", stderr);
    std::fflush(stderr);
    std::abort();
}

}  // namespace vesk
