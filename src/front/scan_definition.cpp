#include "front/scan_definition.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

#include "front/operators.hpp"

namespace vesk {

namespace {

// What a byte does in normalised text, for the plain form.
enum class Role : std::uint8_t {
    refused,  // leaves the plain form: control bytes, bytes past 126, a stray closer
    lower,    // '_' and 'a'..'z': part of a name
    digit,
    capital,  // an atom of its own, a name
    binary,   // an operator of levels 2 to 8 that leaves its own leaf
    apply,    // blank or newline: application, no leaf
    affix,    // ~ ! " $: wraps its operand, a leaf of its own
    quote,    // `: wraps its operand, rewritten to use V
    lambda,   // backslash
    semi,     // ;
    brace,    // {
    paren,    // (
    square,   // [
    close_paren,
    close_brace,
    comma,
};

constexpr std::array<Role, 256> make_roles() {
    std::array<Role, 256> roles{};
    for (auto& r : roles) r = Role::refused;
    roles['_'] = Role::lower;
    for (int c = 'a'; c <= 'z'; ++c) roles[c] = Role::lower;
    for (int c = '0'; c <= '9'; ++c) roles[c] = Role::digit;
    for (int c = 'A'; c <= 'Z'; ++c) roles[c] = Role::capital;
    // The operators and affixes are the parser's: the binders of level 1
    // and the blanks that apply have roles of their own below.
    for (int c = 0; c < 256; ++c) {
        std::uint8_t level = kOperatorLevels[static_cast<std::size_t>(c)];
        if (level == kAffix) roles[c] = Role::affix;
        if (level > 1 && level <= kTightestLevel) roles[c] = Role::binary;
    }
    roles[' '] = Role::apply;
    roles['\n'] = Role::apply;
    roles['`'] = Role::quote;  // an affix the checks rewrite to use V
    roles['\\'] = Role::lambda;
    roles[';'] = Role::semi;
    roles['{'] = Role::brace;
    roles['('] = Role::paren;
    roles['['] = Role::square;
    roles[')'] = Role::close_paren;
    roles['}'] = Role::close_brace;
    roles[','] = Role::comma;
    return roles;
}
constexpr std::array<Role, 256> kRoles = make_roles();

Role role_of(char c) {
    return kRoles[static_cast<unsigned char>(c)];
}

constexpr std::size_t kMaxBound = 26;  // more cannot all have a letter
constexpr std::size_t kMaxScopes = 64;
constexpr std::size_t kFewFree = 32;  // deeper nesting is left to the parser
constexpr int kMaxArity = 10;
constexpr int kMaxDescents = 16;  // parentheses around a body, read through

// What the segment read so far (since the range began or its last
// backslash, semicolon or brace) looks like: a binder needs one name before
// it, a let of a pair two names and a blank.
enum class Shape : std::uint8_t { empty, name, name_blank, two_names, other };

enum class RangeKind : std::uint8_t { body, group, call_item, brace_item };

// One range being read: the body, a parenthesised group, the items of a
// call list or of a brace list. Names bound in a range are bound until it
// ends (for an item, until its comma).
struct Range {
    RangeKind kind = RangeKind::body;
    std::size_t scope = 0;  // the bound names below this range's own
    Shape shape = Shape::empty;
    std::string_view first;  // the segment's names while its shape says so
    std::string_view second;
    bool core = false;         // the operand being read holds an atom (not only affixes)
    bool atom_end = false;     // the last byte read ended an atom: a '(' now is a call list
    Shape let = Shape::empty;  // a brace list being read binds, when it ends, first (and second)
    std::string_view let_first;
    std::string_view let_second;
};

// Names are short: a loop over their bytes beats a call to memcmp.
bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k] != b[k]) return false;
    return true;
}

bool holds(const std::vector<std::string_view>& names, std::string_view name) {
    for (std::string_view n : names)
        if (same_name(n, name)) return true;
    return false;
}

// One read's state; its room is kept from one definition to the next.
struct Scan {
    std::string_view text;
    std::vector<Range> ranges;
    std::vector<std::string_view> bound;      // names bound around the byte read
    std::vector<std::string_view> all_bound;  // every name bound anywhere, no repeats
    std::vector<std::string_view> free;

    // A definition uses a few names many times: repeats are dropped here.
    // Past a few dozen distinct names the repeats are left to the sort at
    // the end, so that a definition of very many names stays linear.
    void use(std::string_view name) {
        if (holds(bound, name)) return;
        if (free.size() > kFewFree || !holds(free, name)) free.push_back(name);
    }

    // The segment's names turn out to be uses, not binders.
    void spoil(Range& r) {
        if (r.shape != Shape::other) spoil_names(r);
    }
    void spoil_names(Range& r) {
        if (r.shape == Shape::name || r.shape == Shape::name_blank) use(r.first);
        if (r.shape == Shape::two_names) {
            use(r.first);
            use(r.second);
        }
        r.shape = Shape::other;
    }

    bool bind(std::string_view name) {
        if (bound.size() >= kMaxScopes) return false;
        bound.push_back(name);
        if (!holds(all_bound, name)) all_bound.push_back(name);
        return all_bound.size() <= kMaxBound;
    }

    void start_segment(Range& r) {
        r.shape = Shape::empty;
        r.core = false;
        r.atom_end = false;
    }

    void open(RangeKind kind) {
        Range r;
        r.kind = kind;
        r.scope = bound.size();
        ranges.push_back(r);
    }

    // A name of lower-case letters and underscores at i; returns its end.
    std::size_t name_at(Range& r, std::size_t i, std::size_t end) {
        std::size_t j = i;
        while (j < end && role_of(text[j]) == Role::lower) ++j;
        std::string_view name = text.substr(i, j - i);
        if (r.shape == Shape::empty) {
            r.shape = Shape::name;
            r.first = name;
        } else if (r.shape == Shape::name_blank) {
            r.shape = Shape::two_names;
            r.second = name;
        } else {
            spoil(r);
            use(name);
        }
        r.core = true;
        r.atom_end = true;
        return j;
    }

    // An item or group ends: its operand must be whole, its names unbound.
    bool end_range(Range& r) {
        spoil(r);
        if (!r.core) return false;
        bound.resize(r.scope);
        return true;
    }

    bool step(std::size_t& i, std::size_t end);
    std::size_t other_atom(Range& r, std::size_t i, std::size_t end);
    bool operator_at(Range& r, std::size_t i);
    bool level_one(Range& r, char c);
    bool close(char c);
};

// After a closing bracket: the range it ends is gone, and in the range
// around it the group or list counts as one atom; a brace list's let binds.
bool Scan::close(char c) {
    Range& inner = ranges.back();
    RangeKind kind = inner.kind;
    bool brace_ends = c == '}';
    if (kind == RangeKind::body || brace_ends != (kind == RangeKind::brace_item)) return false;
    if (!end_range(inner)) return false;
    ranges.pop_back();
    Range& outer = ranges.back();
    if (!brace_ends) {
        outer.shape = Shape::other;
        outer.core = true;
        outer.atom_end = true;
        return true;
    }
    if (outer.let == Shape::two_names) {
        use("K");
        use("H");
        if (!bind(outer.let_first) || !bind(outer.let_second)) return false;
    } else if (!bind(outer.let_first)) {
        return false;
    }
    outer.let = Shape::empty;
    start_segment(outer);
    return true;
}

// An atom that is no name: a number, a capital (a name of its own), a
// square literal (only square brackets count inside it). Returns its end,
// or npos for a literal left open.
std::size_t Scan::other_atom(Range& r, std::size_t i, std::size_t end) {
    spoil(r);
    r.core = r.atom_end = true;
    Role role = role_of(text[i]);
    if (role == Role::digit) {
        while (i < end && role_of(text[i]) == Role::digit) ++i;
        return i;
    }
    if (role == Role::capital) {
        use(text.substr(i, 1));
        return i + 1;
    }
    int depth = 0;
    do {
        if (text[i] == '[') ++depth;
        if (text[i] == ']') --depth;
        ++i;
    } while (depth > 0 && i < end);
    return depth == 0 ? i : std::string_view::npos;
}

// An operator between operands (a blank or newline applies, and leaves no
// leaf), or an affix around one. False for an operator with no operand
// before it.
bool Scan::operator_at(Range& r, std::size_t i) {
    char c = text[i];
    Role role = role_of(c);
    if (role == Role::affix || role == Role::quote) {
        spoil(r);
        use(c == '`' ? std::string_view("V") : text.substr(i, 1));
        r.atom_end = false;
        return true;
    }
    if (!r.core) return false;
    if (c == ' ' && r.shape == Shape::name) {
        r.shape = Shape::name_blank;
    } else {
        spoil(r);
    }
    if (role == Role::binary) use(text.substr(i, 1));
    r.core = r.atom_end = false;
    return true;
}

// A backslash, semicolon or brace ends the segment before it: a binder's
// must be its name (a brace's may be two), the others' whole.
bool Scan::level_one(Range& r, char c) {
    if (c == ';') {
        spoil(r);
        if (!r.core) return false;
        use(";");
        start_segment(r);
        return true;
    }
    if (!r.core) return false;
    if (c == '\\') {
        if (r.shape != Shape::name || !bind(r.first)) return false;
        start_segment(r);
        return true;
    }
    if (r.shape != Shape::name && r.shape != Shape::two_names) return false;
    r.let = r.shape;
    r.let_first = r.first;
    r.let_second = r.second;
    open(RangeKind::brace_item);
    return true;
}

// Reads the byte at i (and, for a name, number or literal, the rest of
// it). False when the text leaves the plain form.
bool Scan::step(std::size_t& i, std::size_t end) {
    Range& r = ranges.back();
    char c = text[i];
    switch (role_of(c)) {
        case Role::refused: return false;
        case Role::lower: i = name_at(r, i, end); return true;
        case Role::digit:
        case Role::capital:
        case Role::square: i = other_atom(r, i, end); return i != std::string_view::npos;
        case Role::binary:
        case Role::apply:
        case Role::affix:
        case Role::quote: return operator_at(r, i++);
        case Role::lambda:
        case Role::semi:
        case Role::brace: ++i; return level_one(r, c);
        case Role::paren: {
            bool call = r.atom_end;  // after an atom: a call list
            spoil(r);
            ++i;
            open(call ? RangeKind::call_item : RangeKind::group);
            return true;
        }
        case Role::close_paren:
        case Role::close_brace: ++i; return close(c);
        case Role::comma:
            if (r.kind != RangeKind::call_item && r.kind != RangeKind::brace_item) return false;
            if (!end_range(r)) return false;
            if (r.kind == RangeKind::brace_item) use(",");
            start_segment(r);
            ++i;
            return true;
    }
    return false;
}

std::size_t lower_run(std::string_view text, std::size_t i, std::size_t end) {
    while (i < end && role_of(text[i]) == Role::lower) ++i;
    return i;
}

// The index of the ')' that closes the '(' at i, or npos before end.
std::size_t closing_paren(std::string_view text, std::size_t i, std::size_t end) {
    int depth = 0;
    int squares = 0;
    for (; i < end; ++i) {
        char c = text[i];
        if (squares > 0 || c == '[' || c == ']') {
            squares += c == '[' ? 1 : c == ']' ? -1 : 0;
            continue;
        }
        if (c == '(' || c == '{') ++depth;
        if (c == ')' || c == '}') --depth;
        if (depth == 0) return i;
    }
    return std::string_view::npos;
}

// The leading lambdas of the body [i, end): each "name\" that starts it,
// and through parentheses that hold all that is left. -1 past the limits.
int leading_lambdas(std::string_view text, std::size_t i, std::size_t end) {
    int count = 0;
    for (int descents = 0; i < end;) {
        std::size_t j = lower_run(text, i, end);
        if (j > i && j < end && text[j] == '\\') {
            if (++count > kMaxArity) return -1;
            i = j + 1;
        } else if (text[i] == '(' && closing_paren(text, i, end) == end - 1) {
            if (++descents > kMaxDescents) return -1;
            ++i;
            --end;
        } else {
            break;
        }
    }
    return count;
}

// The read of one piece through `scan`, whose room is reused.
std::optional<ScannedDefinition> scan_one(Scan& scan, std::size_t begin, std::size_t end) {
    std::string_view text = scan.text;
    ScannedDefinition d;
    std::size_t i = lower_run(text, begin, end);
    if (i == begin) return std::nullopt;
    d.written = text.substr(begin, i - begin);
    if (text.substr(i, 3) == "()\\") {
        d.uncached = true;
        i += 2;
    }
    if (i >= end || text[i] != '\\') return std::nullopt;
    ++i;
    d.arity = d.uncached ? 0 : leading_lambdas(text, i, end);
    if (d.arity < 0) return std::nullopt;
    scan.ranges.clear();
    scan.bound.clear();
    scan.all_bound.clear();
    scan.free.clear();
    scan.open(RangeKind::body);
    while (i < end) {
        if (!scan.step(i, end)) return std::nullopt;
    }
    if (scan.ranges.size() != 1 || scan.ranges.back().let != Shape::empty) return std::nullopt;
    if (!scan.end_range(scan.ranges.back())) return std::nullopt;
    if (d.uncached) scan.use("I");
    for (std::string_view name : scan.free) {
        // A free one-letter name, or a bound name also used free (renamed to
        // its letter everywhere), is an unbound variable: the checks say so.
        if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return std::nullopt;
        if (holds(scan.all_bound, name)) return std::nullopt;
    }
    d.free = scan.free;
    std::sort(d.free.begin(), d.free.end());
    d.free.erase(std::unique(d.free.begin(), d.free.end()), d.free.end());
    return d;
}

}  // namespace

std::optional<ScannedDefinition> scan_definition(std::string_view text, std::size_t begin,
                                                 std::size_t end) {
    Scan scan;
    scan.text = text;
    return scan_one(scan, begin, end);
}

std::vector<std::optional<ScannedDefinition>> scan_definitions(
    std::string_view text, const std::vector<std::size_t>& commas) {
    Scan scan;
    scan.text = text;
    std::vector<std::optional<ScannedDefinition>> all;
    all.reserve(commas.size());
    for (std::size_t k = 0; k < commas.size(); ++k) {
        std::size_t end = k + 1 < commas.size() ? commas[k + 1] : text.size();
        all.push_back(scan_one(scan, commas[k] + 1, end));
    }
    return all;
}

}  // namespace vesk
