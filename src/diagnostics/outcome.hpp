// Outcome: the status record every stage returns. Code "check" is success;
// any other code is an error that ends the run and is shown as a picture.
#pragma once

#include "terms/term.hpp"

namespace vesk {

struct Outcome {
    Bytes say;             // the explanation for a person
    Bytes code = "check";  // five-letter status word
    Bytes vip;             // where the problem lies
    Bytes tip;             // what was found
    Bytes way;             // further context, carried through from running programs
};

inline bool is_check(const Outcome& out) {
    return out.code == "check";
}

}  // namespace vesk
