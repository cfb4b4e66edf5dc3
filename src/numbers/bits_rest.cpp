// The rest of a number's bit list, straight from its decimal text.
//
// Dropping the first element halves the code number. Each text form's half
// has a text that halving the decimal digits gives directly, in linear time,
// where going through the code number would cost two quadratic conversions
// per element:
//   d        (4d + 3) / 2 = 2d + 1:  d odd -> text of d div 2, even -> "0" (d / 2)
//   "0" d    (4d + 1) / 2 = 2d = 2^(z+1) * o with o odd:
//            "00", z zeros, then o div 2 unless it is zero
//   "00" + z zeros (z >= 1) + D:  one zero fewer
//   "00" D   (2 + 4D) / 2 = 2D + 1:  like d above with D
#include "numbers/bits.hpp"

namespace vesk {

namespace {

struct Halved {
    Bytes quotient;  // no leading zeros; "0" for zero
    bool odd;
};

Halved halve_decimal(std::string_view digits) {
    Halved h{Bytes(), false};
    h.quotient.reserve(digits.size());
    unsigned rem = 0;
    for (char c : digits) {
        VESK_ASSERT(c >= '0' && c <= '9');
        unsigned cur = rem * 10 + static_cast<unsigned>(c - '0');
        char q = static_cast<char>('0' + cur / 2);
        if (q != '0' || !h.quotient.empty()) h.quotient.push_back(q);
        rem = cur % 2;
    }
    if (h.quotient.empty()) h.quotient.push_back('0');
    h.odd = rem != 0;
    return h;
}

bool is_even_decimal(std::string_view digits) {
    return (static_cast<unsigned>(digits.back() - '0') % 2) == 0;
}

// The text of 2d + 1 for digits d >= 1.
Bytes twice_plus_one(std::string_view digits) {
    Halved h = halve_decimal(digits);
    return h.odd ? h.quotient : "0" + h.quotient;
}

// The text of 2d for digits d >= 1.
Bytes twice(std::string_view digits) {
    Bytes odd(digits);
    std::size_t z = 0;
    while (is_even_decimal(odd)) {
        odd = halve_decimal(odd).quotient;
        ++z;
    }
    Bytes out = "00";
    out.append(z, '0');
    Bytes above = halve_decimal(odd).quotient;
    if (above != "0") out += above;
    return out;
}

}  // namespace

std::optional<Bytes> number_rest_text(std::string_view text) {
    VESK_ASSERT(!text.empty());
    if (text == "0" || text == "00") return std::nullopt;
    if (text[0] != '0') return twice_plus_one(text);
    if (text[1] != '0') return twice(text.substr(1));
    if (text[2] == '0') {
        Bytes out(text);
        out.erase(2, 1);
        return out;
    }
    return twice_plus_one(text.substr(2));
}

}  // namespace vesk
