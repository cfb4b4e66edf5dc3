#include "runtime/prelude.hpp"

#include <vector>

#include "front/layout.hpp"
#include "front/names.hpp"
#include "front/parser.hpp"
#include "runtime/runtime.hpp"

namespace vesk {

namespace {

// 51 definitions, each after a comma. The combinators A..Z are lambdas of
// one-letter parameters; the operators are bound to combinators, to
// built-in names or, for \ and {, to functions of three arguments that give
// Z (the binders themselves are handled by the machine).
constexpr std::string_view kPrelude =
    R"P(,A\a\aS BKK,B\a\b\c\a b(c),C\a\b\c\a c b,D\a\b\c\d\a b c(d))P"
    R"P(,E\a\b\c\d\e\a b c(d)e,F\a\b\Vb a,G\a\VZ(BW BC DDV V(XJ)),H\a\I,I\a\a)P"
    R"P(,J\a\b\c\Va b,K\a\b\a,L\a\aK K(KH),M\a\a a,N\a\K,O\a\b\b a(b),P\a\a XS I)P"
    R"P(,Q\a\aZK,R\a\aZH,U\a\b\c\d\e\e(Va b,Vc d),S\a\b\c\a c b(c),T\a\b\b a)P"
    R"P(,V\a\b\c\c a b,W\a\b\a b b,Z\a\Z,X\a\b\c\d\Vb a(d)c,Y\a\b\a Ya b,[\]\a\b\c\Z)P"
    R"P(,[{]\a\b\c\Z,[!]\p\   p H K,[&]\q\r\q r H,[|]\q\r\q K r,[+]\plus,[-]\dash)P"
    R"P(,[*]\mult,[/]\over,[%]\cent,[^]\powa,[<]\less,[>]\gteq,[=]\same,[#]\diff)P"
    R"P(,[$]\buck,[~]\wave,[.]\T,[@]\T,[:]\I,[?]\I,[;]\I,[']\I,["]\I,[,]\I)P";

}  // namespace

std::string_view prelude_text() {
    return kPrelude;
}

void reset_globals(Runtime& rt) {
    rt.globals.clear();
    rt.uncached.clear();
    rt.prelude.clear();
    rt.leaves = CommonLeaves{};
}

// Every definition is the segment after a comma: "[+]\plus" parses to
// ((\ [+]) plus), stored under "+". The text is fixed and trusted.
void load_prelude(Runtime& rt) {
    reset_globals(rt);
    Bytes text = normalise_layout(kPrelude);
    std::vector<std::size_t> commas = top_level_commas(text);
    GlobalTable& globals = rt.globals;
    for (std::size_t i = 0; i < commas.size(); ++i) {
        std::size_t start = commas[i] + 1;
        std::size_t end = i + 1 < commas.size() ? commas[i + 1] : text.size();
        TermRef t = parse_expression(std::string_view(text).substr(start, end - start));
        VESK_ASSERT(is_pair(t) && is_pair(left(t)));
        Bytes name = name_text(leaf_text(right(left(t))));
        globals.insert_or_assign(std::move(name), right(t));
    }
    rt.prelude.clear();
    for (const auto& [name, definition] : globals) rt.prelude.emplace(name, definition);
}

}  // namespace vesk
