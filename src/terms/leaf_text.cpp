#include "terms/leaf_text.hpp"

#include <cstdint>
#include <cstring>

namespace vesk {

bool brackets_balance(std::string_view text) {
    std::size_t depth = 0;
    for (char c : text) {
        if (c == '[') ++depth;
        if (c == ']') {
            if (depth == 0) return false;
            --depth;
        }
    }
    return depth == 0;
}

std::size_t closing_bracket(std::string_view text, std::size_t open) {
    std::size_t depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '[') ++depth;
        if (text[i] == ']' && --depth == 0) return i;
    }
    return std::string_view::npos;
}

std::size_t balanced_prefix_length(std::string_view text) {
    std::size_t close = closing_bracket(text, 0);
    return close == std::string_view::npos ? text.size() : close + 1;
}

std::size_t first_element_length(std::string_view inner) {
    if (inner.empty()) return 0;
    if (inner[0] != '[') return 1;
    return balanced_prefix_length(inner);
}

std::string_view bracket_inner(const Term* t) {
    VESK_ASSERT(leaf_kind(t) == LeafKind::bracket);
    std::string_view text = leaf_view(t);
    return text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string_view();
}

TermRef bracket_leaf(std::string_view inner) {
    Bytes text = "[";
    text.append(inner);
    text.push_back(']');
    return TermRef(std::move(text));
}

Bytes cape_escape(std::string_view bytes, bool escape_newline) {
    Bytes out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        if (c == '[') {
            out += "[q]";
        } else if (c == ']') {
            out += "[r]";
        } else if (c == '\n' && escape_newline) {
            out += "[p]";
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<Bytes> cape_unescape(std::string_view text) {
    Bytes out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ']') return std::nullopt;
        if (c != '[') {
            out += c;
            continue;
        }
        if (i + 2 >= text.size() || text[i + 2] != ']') return std::nullopt;
        switch (text[i + 1]) {
            case 'p': out += '\n'; break;
            case 'q': out += '['; break;
            case 'r': out += ']'; break;
            default: return std::nullopt;
        }
        i += 2;
    }
    return out;
}

Bytes escape_brackets(std::string_view text) {
    Bytes out;
    for (char c : text) {
        if (c == '[') {
            out += "\\(";
        } else if (c == ']') {
            out += "\\)";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

Bytes unescape_brackets(std::string_view text) {
    Bytes out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            char next = text[i + 1];
            char plain = next == '(' ? '[' : next == ')' ? ']' : next == '\\' ? '\\' : '\0';
            if (plain != '\0') {
                out += plain;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

int base64_digit(unsigned char c) {
    const char* at = static_cast<const char*>(std::memchr(kBase64Alphabet.data(), c, 64));
    return at ? static_cast<int>(at - kBase64Alphabet.data()) : -1;
}

Bytes base64_count(std::size_t n) {
    Bytes digits;
    for (; n != 0; n /= 64) digits.insert(digits.begin(), kBase64Alphabet[n % 64]);
    return digits;
}

std::optional<CountedHead> read_counted_head(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == ')') return CountedHead{i, count};
        int digit = base64_digit(static_cast<unsigned char>(text[i]));
        if (digit < 0 || count > (SIZE_MAX >> 6)) return std::nullopt;
        count = count * 64 + static_cast<std::size_t>(digit);
    }
    return std::nullopt;
}

std::string_view counted_payload(const Term* t) {
    VESK_ASSERT(leaf_kind(t) == LeafKind::counted);
    std::string_view text = leaf_view(t);
    std::size_t close = text.find(')');
    return close == std::string_view::npos ? std::string_view() : text.substr(close + 1);
}

Bytes counted_prefix(std::size_t length) {
    return "(" + base64_count(length) + ")";
}

TermRef counted_leaf(std::string_view payload) {
    Bytes text = counted_prefix(payload.size());
    text.append(payload);
    return TermRef(std::move(text));
}

}  // namespace vesk
