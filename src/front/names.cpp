#include "front/names.hpp"

#include "front/byte_sets.hpp"

namespace vesk {

namespace {

constexpr ByteSet kBlankOrOperatorSet = make_byte_set(kBlankOrOperator);
constexpr ByteSet kSpecialSet = make_byte_set(kSpecialCharacters);
constexpr ByteSet kAffixSet = make_byte_set(kAffixCharacters);
constexpr ByteSet kNameOperatorSet = make_byte_set(kNameOperatorCharacters);

// One byte that may be a name by itself: a control byte other than NUL, a
// capital, or a byte of the upper half.
bool is_single_name_byte(unsigned char c) {
    return (c >= 1 && c <= 31) || (c >= 'A' && c <= 'Z') || c >= 127;
}

}  // namespace

bool is_blank_or_operator(unsigned char c) {
    return kBlankOrOperatorSet[c];
}
bool is_special_character(unsigned char c) {
    return kSpecialSet[c];
}
bool is_affix_character(unsigned char c) {
    return kAffixSet[c];
}
bool is_name_operator_character(unsigned char c) {
    return kNameOperatorSet[c];
}

bool is_lower_name(std::string_view t) {
    if (t.empty()) return false;
    for (char c : t)
        if (!is_lower_byte(static_cast<unsigned char>(c))) return false;
    return true;
}

bool is_name(std::string_view t) {
    if (t.empty()) return false;
    unsigned char first = static_cast<unsigned char>(t[0]);
    if (is_lower_byte(first)) return is_lower_name(t);
    if (first != '[') return t.size() == 1 && is_single_name_byte(first);
    return t.size() == 3 && is_name_operator_character(static_cast<unsigned char>(t[1])) &&
           t[2] == ']';
}

Bytes name_text(std::string_view t) {
    VESK_ASSERT(is_name(t));
    if (t[0] == '[') return Bytes(1, t[1]);
    return Bytes(t);
}

bool is_name_leaf(std::string_view t) {
    if (t.empty()) return false;
    unsigned char first = static_cast<unsigned char>(t[0]);
    if (is_lower_byte(first)) return is_lower_name(t);
    return t.size() == 1 && (is_single_name_byte(first) || is_name_operator_character(first));
}

}  // namespace vesk
