// Running a program over a checked base, its own or a copy, must give what
// the whole path gives: the same outcome, status and standard output; a
// shared base must come out of every run as it went in.
#include "driver/checked_base.hpp"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "../support/random_definitions.hpp"
#include "builtins/families.hpp"
#include "checks/alive.hpp"
#include "checks/arity.hpp"
#include "checks/funky.hpp"
#include "checks/letters.hpp"
#include "checks/local.hpp"
#include "checks/pattern_lets.hpp"
#include "checks/prune.hpp"
#include "checks/quotes.hpp"
#include "driver/stages.hpp"
#include "front/printer.hpp"
#include "terms/cells.hpp"

namespace vesk {
namespace {

struct Result {
    Outcome out;
    int status = -1;
    Bytes stdout_text;
};

// Runs `go` with standard output sent to an in-memory file, read back after.
template <typename Go>
Result captured(Go go) {
    std::fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    int fd = memfd_create("stdout", 0);
    dup2(fd, STDOUT_FILENO);
    Result r;
    r.out = go(r.status);
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    off_t size = lseek(fd, 0, SEEK_END);
    r.stdout_text.resize(static_cast<std::size_t>(size));
    if (size > 0) {
        EXPECT_EQ(pread(fd, r.stdout_text.data(), r.stdout_text.size(), 0), size);
    }
    close(fd);
    return r;
}

const CheckedBase& base() {
    static CheckedBase* made = [] {
        auto* b = new CheckedBase;
        prepare_checked_base(*b);
        return b;
    }();
    return *made;
}

Bytes printed_base() {
    Bytes all;
    for (const auto& [name, term] : base().rt.globals) all += name + "=" + print_term(term) + "\n";
    return all;
}

// Programs that reach the host (streams, files, processes) are left out:
// they could wait for input or leave traces between the two runs.
bool reaches_host(const Bytes& text) {
    for (const BuiltinFamily* family : builtin_families()) {
        for (const BuiltinRow& row : family->rows) {
            if ((row.effects & touches_host) != 0 && text.find(row.name) != Bytes::npos)
                return true;
        }
    }
    return false;
}

void expect_equal(const Result& over, const Result& whole) {
    EXPECT_EQ(over.out.code, whole.out.code);
    EXPECT_EQ(over.out.say, whole.out.say);
    EXPECT_EQ(over.out.vip, whole.out.vip);
    EXPECT_EQ(over.out.tip, whole.out.tip);
    EXPECT_EQ(over.out.way, whole.out.way);
    EXPECT_EQ(over.stdout_text, whole.stdout_text);
    if (is_check(whole.out)) {
        EXPECT_EQ(over.status, whole.status);
    }
}

void expect_same(const Bytes& text) {
    char* no_args[] = {nullptr};
    SCOPED_TRACE(text.substr(0, 200));
    Result whole = captured([&](int& s) { return run_whole_stages(Bytes(text), no_args, s); });
    expect_equal(captured([&](int& s) { return run_stages(Bytes(text), no_args, s); }), whole);
    for (WaitMode mode : {WaitMode::never, WaitMode::always}) {
        expect_equal(
            captured([&](int& s) { return run_stages_on_base(base(), text, no_args, s, mode); }),
            whole);
    }
}

// The base is prepared without the checks that find faults or rewrite:
// they must pass on it and leave it as it is.
TEST(CheckedBase, PassesEveryCheckUnchanged) {
    Runtime rt;
    rt.globals = base().rt.globals;
    rt.globals.insert_or_assign("", TermRef("0"));
    GlobalTable& g = rt.globals;
    Bytes before = printed_base();
    rewrite_quotes_and_pattern_lets(g);
    Outcome out;
    EXPECT_TRUE(check_funky(g, out));
    EXPECT_TRUE(check_alive(g, out));
    EXPECT_TRUE(broken_globals(g).empty());
    EXPECT_TRUE(check_letters(g, out));
    EXPECT_TRUE(check_arity(g, out));
    EXPECT_TRUE(check_local(g, out));
    EXPECT_EQ(out.code, "check") << out.say;
    g.erase("");
    Bytes after;
    for (const auto& [name, term] : g) after += name + "=" + print_term(term) + "\n";
    EXPECT_EQ(after, before);
}

// Each kind of refusal and check failure, redefinitions of base names (the
// whole path), shared subterms, cached and uncached constants, pruning and
// definitions made while running.
TEST(CheckedBase, SameAsTheWholePath) {
    const char* programs[] = {
        "a\\3+4",
        "a\\S K K 7",
        "a\\f 5,f\\x\\x*x",
        "a\\f\\g",
        "a\\f 1,f\\x\\g x",
        "a\\1,f\\x\\g x",
        "a\\1,f\\x\\g x,h\\f",
        "a\\x",
        "a\\f 1,f\\y\\x",
        "a\\1,b\\2",
        "a\\1,plus\\2",
        "a\\1,[\\]\\2",
        "a\\f,f\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\1",
        "a\\K,K\\x\\y\\y",
        "a\\[+],[+]\\x\\y\\x*y",
        "a\\3+4,[+]\\x\\y\\x*y",
        "a\\1,_\\2",
        "a\\c,c\\c",
        "a\\c+c,c\\2*3",
        "a\\c+c,c()\\2*3",
        "a\\(S K K)(K 1 2),f\\S K K",
        "a\\road([dbl 21,dbl\\x\\x*2])+road([dbl 1])",
        "a\\road([0,sq\\1]),sq\\x\\x*x",
        "a\\road([hh 1,hh\\k\\1\\1])",
        "a\\lisp(x\\x+1)",
        "(1",
        "",
        ",,,",
    };
    Bytes before = printed_base();
    for (const char* p : programs) expect_same(p);
    EXPECT_EQ(printed_base(), before);
}

// Random programs of a few definitions each, many in the plain form that
// waits, some not, with every fault a check finds among them.
TEST(CheckedBase, SameForRandomPrograms) {
    testing::RandomDefinitions make(7);
    std::map<Bytes, int> codes;
    for (int round = 0; round < 400; ++round) {
        Bytes text = make.program();
        expect_same(text);
        char* no_args[] = {nullptr};
        int status = 0;
        ++codes[run_stages_on_base(base(), text, no_args, status).code];
    }
    // The programs reach the run and each kind of fault.
    for (const char* code : {"check", "alive", "local", "funky", "lower"})
        EXPECT_GT(codes[code], 0) << code;
}

// Every program file of the end-to-end tests, and every program of the
// cases files, that stays inside the process.
TEST(CheckedBase, SameForTheTestPrograms) {
    std::vector<Bytes> texts;
    for (const auto& entry :
         std::filesystem::directory_iterator(VESK_SOURCE_DIR "/tests/programs")) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        if (entry.path().extension() == ".vk") texts.push_back(all.str());
        if (entry.path().extension() != ".cases") continue;
        Bytes program;
        bool in_case = false;
        std::string line;
        auto flush = [&] {
            if (in_case) texts.push_back(program);
            program.clear();
        };
        while (std::getline(all, line)) {
            if (line.rfind("case ", 0) == 0) {
                flush();
                in_case = true;
            } else if (in_case && line.rfind("args ", 0) == 0) {
                in_case = false;  // reads its arguments: not run here
            } else if (in_case && !line.empty() && line.rfind("say ", 0) != 0 &&
                       line.rfind("stdout ", 0) != 0 && line[0] != '#') {
                program += (program.empty() ? "" : "\n") + line;
            }
        }
        flush();
    }
    std::size_t ran = 0;
    Bytes before = printed_base();
    std::uint64_t live = cell_counts().live;
    for (const Bytes& text : texts) {
        if (reaches_host(text)) continue;
        expect_same(text);
        ++ran;
    }
    EXPECT_EQ(cell_counts().live, live);
    EXPECT_EQ(printed_base(), before);
    EXPECT_GT(ran, 100u);
}

}  // namespace
}  // namespace vesk
