// The rows of the term and value family.
#include "builtins/terms_family.hpp"

#include "builtins/terms_parts.hpp"

namespace vesk {

namespace {

constexpr BuiltinRow kTermsRows[] = {
    {"type", 1, pure_effect, type_handler},
    {"real", 1, pure_effect, real_handler},
    {"zits", 1, pure_effect, zits_handler},
    {"init", 1, pure_effect, init_handler},
    {"cape", 1, pure_effect, cape_handler},
    {"rank", 1, pure_effect, rank_handler},
    {"look", 2, pure_effect, look_handler},
    {"cork", 3, pure_effect, cork_handler},
    {"trim", 3, pure_effect, trim_handler},
    {"post", 2, touches_host, post_handler},
    {"copy", 2, touches_host, copy_handler},
    {"leaf", 1, pure_effect, leaf_handler},
    {"left", 1, pure_effect, left_handler},
    {"rght", 1, pure_effect, rght_handler},
    {"lisp", 1, pure_effect, lisp_handler},
    {"lits", 1, pure_effect, lits_handler},
    {"lots", 1, pure_effect, lots_handler},
    {"tern", 1, pure_effect, tern_handler},
    {"raws", 2, pure_effect, raws_handler},
    {"leak", 1, pure_effect, leak_handler},
    {"assert", 1, touches_host, assert_handler},
};

}  // namespace

const BuiltinFamily kTermsFamily = {"terms", kTermsRows};

}  // namespace vesk
