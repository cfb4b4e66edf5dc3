// Bracket numerals of single bytes.
//
// The text numeral map pairs 253 bytes with the tree numerals of their rows
// plus 145. The three bytes it leaves out can still stand alone in a bracket
// text: a newline (a zits of the character 10 holds one unescaped) and a "["
// or "]" without a partner. They take the numerals of their own rows, 245
// (class 2 ",", code 10), 246 and 247 (class 3 "[" and "]"), which no other
// byte uses, so distinct texts keep distinct lists.
#include "engine/unfold.hpp"
#include "front/charcode.hpp"

namespace vesk {

namespace {

constexpr int kRowBase = 145;

struct LeftOut {
    unsigned char byte;
    int row;
};
constexpr LeftOut kLeftOut[] = {{10, 245}, {'[', 246}, {']', 247}};

// Their numerals, made once.
const Bytes& left_out_numeral(std::size_t i) {
    static const Bytes kNumerals[] = {tree_numeral(kLeftOut[0].row + kRowBase),
                                      tree_numeral(kLeftOut[1].row + kRowBase),
                                      tree_numeral(kLeftOut[2].row + kRowBase)};
    return kNumerals[i];
}

}  // namespace

Bytes byte_numeral(unsigned char byte) {
    for (std::size_t i = 0; i < 3; ++i)
        if (kLeftOut[i].byte == byte) return left_out_numeral(i);
    std::optional<Bytes> numeral = text_numeral_lookup(Bytes(1, static_cast<char>(byte)));
    VESK_ASSERT(numeral.has_value());
    return *numeral;
}

std::optional<unsigned char> numeral_byte(std::string_view numeral) {
    if (numeral.size() < 2) return std::nullopt;  // one-byte keys are bytes, not numerals
    for (std::size_t i = 0; i < 3; ++i)
        if (numeral == left_out_numeral(i)) return kLeftOut[i].byte;
    std::optional<Bytes> byte = text_numeral_lookup(numeral);
    if (!byte) return std::nullopt;
    VESK_ASSERT(byte->size() == 1);
    return static_cast<unsigned char>((*byte)[0]);
}

}  // namespace vesk
