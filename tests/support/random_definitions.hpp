// Random definition texts for the tests that compare the quick read of a
// definition with its parse: mostly the plain form people write (names,
// lambdas, lets of one name or a pair, quotes, call and brace lists), with
// the things that leave it mixed in (one-letter free names, names both bound
// and free, empty operands, capitals or numbers as binders, commas in a
// group, bytes outside ASCII).
#pragma once

#include <random>
#include <string>
#include <vector>

namespace vesk::testing {

class RandomDefinitions {
   public:
    explicit RandomDefinitions(unsigned seed) : rng_(seed) {}

    // "name\body" or "name()\body", now and then something else.
    std::string piece() { return piece(pick({"fn", "go", "step", "rest"})); }
    std::string piece(std::string head) {
        if (chance(3)) head = pick({"k", "abs"});
        if (chance(10)) return expr(3);
        std::string body = expr(chance(50) ? 7 : 4);
        return head + (chance(15) ? "()" : "") + "\\" + body;
    }

    // A program whose main expression names fn without calling it, so that
    // reachability visits it, and then fn, go, step and rest in turn.
    std::string program() {
        std::string text = "a\\K 0 fn";
        for (const char* head : {"fn", "go", "step", "rest"}) text += "," + piece(head);
        return text;
    }

   private:
    std::mt19937 rng_;

    bool chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(rng_) < percent; }
    std::string pick(std::initializer_list<const char*> from) {
        std::vector<const char*> all(from);
        return all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(rng_)];
    }
    std::string name() {
        return pick({"items", "total", "first", "rest", "x", "fn", "go", "_", "ab", "abs"});
    }
    std::string binder() {
        if (chance(8)) return pick({"1", "K", "[+]", "", "x!", "a b c", "x\ny"});
        return chance(20) ? name() + " " + name() : name();
    }
    std::string atom(int depth) {
        switch (std::uniform_int_distribution<int>(0, 9)(rng_)) {
            case 0: return pick({"K", "S", "V", "I", "H"});
            case 1: return pick({"12", "0", "[a b]", "[+]", "[]"});
            case 2: return "(" + expr(depth - 1) + ")";
            case 3: return name() + "(" + list(depth - 1) + ")";
            case 4: return pick({"~", "!", "\"", "$", "`"}) + atom(depth - 1);
            case 5: return atom(depth - 1) + pick({"!", "`", "~"});
            case 6: return chance(5) ? pick({"", "()", "\xc8", "\x01"}) : name();
            default: return name();
        }
    }
    std::string list(int depth) {
        std::string items = expr(depth);
        while (chance(30)) items += "," + (chance(5) ? std::string() : expr(depth));
        return items;
    }
    std::string operand(int depth) {
        std::string text = atom(depth);
        while (depth > 0 && chance(30))
            text += pick({" ", "+", "-", "*", "=", "<", "?", "&", "|", ":", ".", "'", "^", "@", "#",
                          "\n", "%", "/"}) +
                    atom(depth - 1);
        return text;
    }
    std::string expr(int depth) {
        if (depth <= 0) return name();
        switch (std::uniform_int_distribution<int>(0, 5)(rng_)) {
            case 0: return binder() + "\\" + expr(depth - 1);
            case 1: return binder() + "{" + list(depth - 1) + "}" + expr(depth - 1);
            case 2: return operand(depth) + ";" + expr(depth - 1);
            default: return operand(depth);
        }
    }
};

}  // namespace vesk::testing
