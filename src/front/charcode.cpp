#include "front/charcode.hpp"

#include <array>
#include <map>
#include <string>

namespace vesk {

namespace {

// The rows of the table in six runs: class, then the characters of its rows.
struct Run {
    int colour_class;
    std::string_view characters;
};
constexpr std::array<Run, 6> kRuns = {{
    {2, "0123456789ABCDEFGHIJKLMNOPQRUSTVWZXY~!@#$%^&*<>-|+/=_"},
    {3,
     "_abcdefghijklmnopqrustvwzxy0123456789ABCDEFGHIJKLMNOPQRUSTVWZXY~!@#$%^&*<>-|+/"
     "=\\.`'\":;?(){},"},
    {1,
     "_abcdefghijklmnopqrustvwzxy0123456789ABCDEFGHIJKLMNOPQRUSTVWZXY~!@#$%^&*<>-|+/"
     "=\\.`'\":;?(){},[]"},
    {2, "[](){},"},
    {3, "[]"},
    {2, "\\.`'\":;?"},
}};

// Class-2 characters live in two glyph rows: row one holds the codes 255 and
// 0..32 (position p has code p - 1), row two the codes 127..160.
constexpr std::string_view kGlyphRowOne = "]JABCDEFGHI,KLMNOPQRSTUVWXYZ(){}[_";
constexpr std::string_view kGlyphRowTwo = "~!@#$%^&*<>-|+/=\\.`'\":;?0123456789";

// For each byte code: the row it comes from. Built once from the runs.
struct RowTable {
    std::array<CharRow, 256> by_code;
    std::array<int, 256> index_by_code;
};

const RowTable& row_table() {
    static const RowTable table = [] {
        RowTable t{};
        std::array<bool, 256> seen{};
        int row = 0;
        for (const Run& run : kRuns) {
            for (char c : run.characters) {
                unsigned char code = char_code(run.colour_class, c);
                VESK_ASSERT(!seen[code]);
                seen[code] = true;
                t.by_code[code] = {run.colour_class, c};
                t.index_by_code[code] = row++;
            }
        }
        VESK_ASSERT(row == 256);
        return t;
    }();
    return table;
}

using NumeralMap = std::map<Bytes, Bytes, std::less<>>;

const NumeralMap& numeral_map() {
    static const NumeralMap map = [] {
        NumeralMap m;
        for (int code = 0; code < 256; ++code) {
            if (code == '\n' || code == '[' || code == ']') continue;
            Bytes byte(1, static_cast<char>(code));
            Bytes numeral = tree_numeral(char_row_index(static_cast<unsigned char>(code)) + 145);
            m.emplace(numeral, byte);
            m.emplace(byte, numeral);
        }
        return m;
    }();
    return map;
}

int integer_sqrt(int n) {
    int k = 0;
    while ((k + 1) * (k + 1) <= n) ++k;
    return k;
}

}  // namespace

unsigned char char_code(int class_digit, char c) {
    VESK_ASSERT(class_digit >= 1 && class_digit <= 3);
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == ' ' || c == '\n' || class_digit == 3) return byte;
    if (class_digit == 1) return static_cast<unsigned char>(byte - 128);
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    std::size_t p = kGlyphRowOne.find(c);
    if (p != std::string_view::npos) return static_cast<unsigned char>(p + 255);
    p = kGlyphRowTwo.find(c);
    if (p == std::string_view::npos) VESK_FATAL("nopqchar");
    return static_cast<unsigned char>(127 + p);
}

CharRow char_row(unsigned char byte) {
    return row_table().by_code[byte];
}

int char_row_index(unsigned char byte) {
    return row_table().index_by_code[byte];
}

// The numeral of n is the list whose head is the numeral of one number and
// whose remaining elements are those of another, both smaller than n; the
// pairing walks the squares so that 0..676 all have short, distinct texts.
// The recursion is bounded by the assertion on n.
Bytes tree_numeral(int n) {
    VESK_ASSERT(n >= 0 && n < 677);
    if (n == 0) return "[]";
    int k = integer_sqrt(n - 1);
    int m = n - 1 - k * k;
    int head = m % 2 == 0 ? m / 2 : k;
    int rest = m % 2 == 0 ? k : (m - 1) / 2;
    Bytes out = "[";
    out += tree_numeral(head);
    out += tree_numeral(rest).substr(1);
    return out;
}

std::optional<Bytes> text_numeral_lookup(std::string_view key) {
    const NumeralMap& map = numeral_map();
    auto it = map.find(key);
    if (it == map.end()) return std::nullopt;
    return it->second;
}

Bytes position_code(std::uint32_t n) {
    VESK_ASSERT(n <= kPositionLimit);
    if (n == kPositionLimit) return "!!!!!";
    Bytes out(5, '_');
    for (int i = 4; i >= 0; --i) {
        out[static_cast<std::size_t>(i)] = kBase64Alphabet[n % 64];
        n /= 64;
    }
    return out;
}

Bytes position_code_of(std::size_t index) {
    if (index >= kPositionLimit) return position_code(kPositionLimit);
    return position_code(static_cast<std::uint32_t>(index));
}

}  // namespace vesk
