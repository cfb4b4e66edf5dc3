// Ranges and lists: operators by precedence, operands by their affixes and
// chunks, read in one pass over each range's own bytes.
#include <array>

#include "front/names.hpp"
#include "front/operators.hpp"
#include "front/parse_machine.hpp"

namespace vesk {

namespace {

TermRef pop_value(ParseMachine& m) {
    VESK_ASSERT(!m.values.empty());
    TermRef v = std::move(m.values.back());
    m.values.pop_back();
    return v;
}

// (a x) for the affix byte a.
TermRef wrap(ParseMachine& m, char affix, TermRef x) {
    return make_pair(byte_leaf(m, static_cast<unsigned char>(affix)), std::move(x));
}

// Combines the operator on top with its operands: ((op l) r); (l r) for a
// blank or a newline; ((({ l) b) r) for a brace, its list b between them.
void reduce(ParseMachine& m) {
    Operator op = m.ops.back();
    m.ops.pop_back();
    TermRef r = pop_value(m);
    if (op.ch == '{') {
        TermRef list = pop_value(m);
        TermRef l = pop_value(m);
        TermRef head = make_pair(make_pair(byte_leaf(m, '{'), std::move(l)), std::move(list));
        m.values.push_back(make_pair(std::move(head), std::move(r)));
        return;
    }
    TermRef l = pop_value(m);
    if (op.ch == ' ' || op.ch == '\n') {
        m.values.push_back(make_pair(std::move(l), std::move(r)));
        return;
    }
    TermRef head = make_pair(byte_leaf(m, static_cast<unsigned char>(op.ch)), std::move(l));
    m.values.push_back(make_pair(std::move(head), std::move(r)));
}

// Before an operator of `level` goes on, the tighter ones below it are
// combined, and those of its own level when that level folds from the left.
void push_operator(ParseMachine& m, std::size_t ops_base, char ch, std::uint8_t level) {
    while (m.ops.size() > ops_base) {
        std::uint8_t top = m.ops.back().level;
        if (top < level || (top == level && folds_right(level))) break;
        reduce(m);
    }
    m.ops.push_back({ch, level});
}

// The chunk after an inner affix run is complete: the run's affixes nest
// around it, the first outermost, and it applies to the body before it.
void finish_inner(ParseMachine& m, Segment& s) {
    TermRef x = pop_value(m);
    for (std::size_t i = s.run_end; i-- > s.run_begin;) x = wrap(m, m.text[i], std::move(x));
    m.values.back() = make_pair(std::move(m.values.back()), std::move(x));
    s.inner = false;
    s.run_begin = s.run_end = 0;
}

// An affix byte at `pos`: leading ones wait for the body; after the body it
// ends the chunk being read and starts or extends a run.
void affix_byte(ParseMachine& m, Segment& s, std::size_t pos) {
    if (!s.body) return;
    if (!s.inner && s.run_begin < s.run_end && s.run_end == pos) {
        s.run_end = pos + 1;
        return;
    }
    if (s.inner) finish_inner(m, s);
    s.run_begin = pos;
    s.run_end = pos + 1;
}

// An atom starts at `pos`: the body's first chunk, or the chunk of the run
// met last, which is thereby an inner one.
void atom_starts(Segment& s, std::size_t pos) {
    if (!s.body) {
        s.body = true;
        s.lead_end = pos;
        s.chunk_first = true;
    } else if (!s.inner && s.run_begin < s.run_end) {
        s.inner = true;
        s.chunk_first = true;
    }
}

// The segment ending at `stop` leaves its term: the empty leaf for no bytes;
// for affixes alone, the empty leaf inside them all, the last outermost;
// otherwise the body inside its leading affixes (the first outermost) inside
// its trailing ones (the last outermost).
void end_segment(ParseMachine& m, Segment& s, std::size_t stop) {
    if (!s.body) {
        TermRef v = byte_leaf(m, '}');
        for (std::size_t i = s.begin; i < stop; ++i) v = wrap(m, m.text[i], std::move(v));
        m.values.push_back(std::move(v));
        return;
    }
    if (s.inner) finish_inner(m, s);
    TermRef& v = m.values.back();
    for (std::size_t i = s.lead_end; i-- > s.begin;) v = wrap(m, m.text[i], std::move(v));
    for (std::size_t i = s.run_begin; i < s.run_end; ++i) v = wrap(m, m.text[i], std::move(v));
}

Frame range_frame(ParseMachine& m, std::size_t begin, bool comma_ends) {
    Frame f;
    f.kind = FrameKind::range;
    f.comma_ends = comma_ends;
    f.pos = begin;
    f.base = m.ops.size();
    f.segment.begin = begin;
    return f;
}

Frame list_frame(FrameKind kind, std::size_t begin) {
    Frame f;
    f.kind = kind;
    f.pos = begin;
    return f;
}

// Tells the frame below the one just finished where that one stopped: a
// range goes on past the closing bracket there, a list past the comma or
// the closing bracket, and learns whether another item follows.
void report_stop(ParseMachine& m, std::size_t stop) {
    if (m.frames.empty()) {
        m.stop = stop;
        return;
    }
    Frame& below = m.frames.back();
    below.pos = stop + 1;
    if (below.kind != FrameKind::range) {
        below.more = stop < m.end && m.text[stop] == ',';
    } else if (below.after_brace) {
        below.segment.begin = stop + 1;  // the operand after "{...}" starts past it
        below.after_brace = false;
    }
}

// The range on top is read to its end: its last segment and its operators
// are combined, and the frame below learns where it stopped.
void finish_range(ParseMachine& m) {
    Frame& f = m.frames.back();
    std::size_t stop = f.pos;
    end_segment(m, f.segment, stop);
    while (m.ops.size() > f.base) reduce(m);
    m.frames.pop_back();
    report_stop(m, stop);
}

}  // namespace

void step_range(ParseMachine& m) {
    Frame& f = m.frames.back();
    const auto* bytes = reinterpret_cast<const unsigned char*>(m.text.data());
    while (f.pos < m.end) {
        unsigned char c = bytes[f.pos];
        // The text is bracket-balanced: a closing bracket here is the one
        // that ends this group.
        if ((c == ',' && f.comma_ends) || c == ')' || c == '}') break;
        std::uint8_t level = kOperatorLevels[c];
        if (level < kNoOperator) {
            end_segment(m, f.segment, f.pos);
            push_operator(m, f.base, static_cast<char>(c), level);
            std::size_t next = f.pos + 1;
            f.segment = Segment{};
            f.segment.begin = next;
            if (c == '{') {
                f.after_brace = true;
                m.frames.push_back(list_frame(FrameKind::brace_list, next));
                return;
            }
            f.pos = next;
            continue;
        }
        if (level == kAffix) {
            affix_byte(m, f.segment, f.pos);
            ++f.pos;
            continue;
        }
        atom_starts(f.segment, f.pos);
        bool first = f.segment.chunk_first;
        f.segment.chunk_first = false;
        if (c == '(') {
            // A group opening a chunk is read whole; after an atom it is a
            // call list applied to the term so far.
            std::size_t inside = f.pos + 1;
            m.frames.push_back(first ? range_frame(m, inside, false)
                                     : list_frame(FrameKind::call_list, inside));
            return;
        }
        std::size_t stop = atom_end(m, f.pos, m.end, f.comma_ends);
        TermRef atom = atom_term(m, f.pos, stop);
        if (first) {
            m.values.push_back(std::move(atom));
        } else {
            m.values.back() = make_pair(std::move(m.values.back()), std::move(atom));
        }
        f.pos = stop;
    }
    finish_range(m);
}

// A list asks for its items one by one; each is a range ended by a comma.
// A call list applies each to the term below it as it comes; a brace list
// keeps them and folds them from the right with ',' at the end.
void step_list(ParseMachine& m) {
    Frame& f = m.frames.back();
    if (f.started) {
        if (f.kind == FrameKind::call_list) {
            TermRef item = pop_value(m);
            m.values.back() = make_pair(std::move(m.values.back()), std::move(item));
        } else {
            ++f.base;
        }
        if (!f.more) {
            if (f.kind == FrameKind::brace_list) {
                TermRef folded = pop_value(m);
                for (std::size_t k = 1; k < f.base; ++k) {
                    TermRef item = pop_value(m);
                    folded =
                        make_pair(make_pair(byte_leaf(m, ','), std::move(item)), std::move(folded));
                }
                m.values.push_back(std::move(folded));
            }
            std::size_t stop = f.pos - 1;  // the closing bracket
            m.frames.pop_back();
            report_stop(m, stop);
            return;
        }
    }
    f.started = true;
    std::size_t begin = f.pos;
    m.frames.push_back(range_frame(m, begin, true));
}

TermRef parse_range(ParseMachine& m, std::size_t begin, std::size_t end, RangeStart start,
                    std::size_t& stop) {
    std::size_t base = m.values.size();
    m.end = end;
    m.frames.push_back(start == RangeStart::brace_list
                           ? list_frame(FrameKind::brace_list, begin)
                           : range_frame(m, begin, start == RangeStart::piece));
    while (!m.frames.empty()) {
        if (m.frames.back().kind == FrameKind::range) {
            step_range(m);
        } else {
            step_list(m);
        }
    }
    VESK_ASSERT(m.values.size() == base + 1 && m.ops.empty());
    stop = m.stop;
    return pop_value(m);
}

}  // namespace vesk
