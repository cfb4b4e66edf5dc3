// The table against the language's whole library: exactly these names, each
// with its arity, and every one of them described in the reference.
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "builtins/families.hpp"
#include "runtime/builtin_table.hpp"

namespace vesk::test {
namespace {

struct NamedRow {
    const char* name;
    int arity;
};

// Every built-in of the language, by family: arithmetic and comparison,
// terms and values, run-time definitions, raw memory, the C library,
// sockets.
constexpr NamedRow kLibrary[] = {
    {"buck", 1}, {"wave", 1},
    {"cent", 2}, {"cmpr", 2}, {"dash", 2}, {"diff", 2}, {"gteq", 2}, {"less", 2}, {"mult", 2},
    {"over", 2}, {"plus", 2}, {"powa", 2}, {"same", 2},
    {"assert", 1}, {"cape", 1}, {"init", 1}, {"leaf", 1}, {"leak", 1}, {"left", 1}, {"lisp", 1},
    {"lits", 1}, {"lots", 1}, {"rank", 1}, {"real", 1}, {"rght", 1}, {"tern", 1}, {"type", 1},
    {"zits", 1},
    {"copy", 2}, {"look", 2}, {"post", 2}, {"raws", 2},
    {"cork", 3}, {"trim", 3},
    {"load", 1}, {"road", 1},
    {"free", 1}, {"malloc", 1}, {"refh", 1}, {"refi", 1}, {"refj", 1}, {"refk", 1},
    {"bzero", 2}, {"calloc", 2}, {"realloc", 2}, {"rech", 2}, {"reci", 2}, {"recj", 2},
    {"reck", 2}, {"redh", 2}, {"redi", 2}, {"redj", 2}, {"redk", 2}, {"refl", 2}, {"refm", 2},
    {"refn", 2}, {"refo", 2}, {"relh", 2}, {"reli", 2}, {"relj", 2}, {"relk", 2}, {"remh", 2},
    {"remi", 2}, {"remj", 2}, {"remk", 2},
    {"memchr", 3}, {"memcmp", 3}, {"memcpy", 3}, {"memmove", 3}, {"memset", 3}, {"recl", 3},
    {"recm", 3}, {"recn", 3}, {"reco", 3}, {"redl", 3}, {"redm", 3}, {"redn", 3}, {"redo", 3},
    {"rell", 3}, {"relm", 3}, {"reln", 3}, {"relo", 3}, {"reml", 3}, {"remm", 3}, {"remn", 3},
    {"remo", 3},
    {"abort", 0}, {"dirent", 0}, {"eacces", 0}, {"ebadf", 0}, {"econnaborted", 0},
    {"efault", 0}, {"eintr", 0}, {"einval", 0}, {"eio", 0}, {"emfile", 0}, {"enfile", 0},
    {"enodev", 0}, {"enomem", 0}, {"enotsock", 0}, {"enxio", 0}, {"eopnotsupp", 0},
    {"eoverflow", 0}, {"errno", 0}, {"ewouldblock", 0}, {"getchar", 0}, {"rand", 0},
    {"rand_max", 0}, {"stderr", 0}, {"stdout", 0}, {"time_t", 0}, {"tmpfile", 0},
    {"abs", 1}, {"acos", 1}, {"asctime", 1}, {"asin", 1}, {"atan", 1}, {"atof", 1}, {"atoi", 1},
    {"atol", 1}, {"ceil", 1}, {"clearerr", 1}, {"closedir", 1}, {"cos", 1}, {"cosh", 1},
    {"ctime", 1}, {"erf", 1}, {"erfc", 1}, {"exit", 1}, {"exp", 1}, {"fabs", 1}, {"fclose", 1},
    {"feof", 1}, {"ferror", 1}, {"fflush", 1}, {"fgetc", 1}, {"fileno", 1}, {"floor", 1},
    {"ftell", 1}, {"getc", 1}, {"getenv", 1}, {"gmtime", 1}, {"isalnum", 1}, {"isalpha", 1},
    {"isascii", 1}, {"isblank", 1}, {"isdigit", 1}, {"isgraph", 1}, {"islower", 1},
    {"isprint", 1}, {"ispunct", 1}, {"isspace", 1}, {"isupper", 1}, {"labs", 1},
    {"localtime", 1}, {"log", 1}, {"mktime", 1}, {"opendir", 1}, {"perror", 1}, {"putchar", 1},
    {"puts", 1}, {"raise", 1}, {"readdir", 1}, {"remove", 1}, {"rewind", 1}, {"sin", 1},
    {"sinh", 1}, {"sqrt", 1}, {"srand", 1}, {"strdup", 1}, {"strerror", 1}, {"strlen", 1},
    {"system", 1}, {"tan", 1}, {"tanh", 1}, {"time", 1}, {"tmpnam", 1}, {"toascii", 1},
    {"tolower", 1}, {"toupper", 1},
    {"difftime", 2}, {"fdopen", 2}, {"fgetpos", 2}, {"fmod", 2}, {"fopen", 2}, {"fputc", 2},
    {"fputs", 2}, {"frexp", 2}, {"fsetpos", 2}, {"hypot", 2}, {"ldexp", 2}, {"modf", 2},
    {"nextafter", 2}, {"pow", 2}, {"putc", 2}, {"rename", 2}, {"setbuf", 2}, {"strcasecmp", 2},
    {"strcat", 2}, {"strchr", 2}, {"strcmp", 2}, {"strcpy", 2}, {"strnlen", 2}, {"strpbrk", 2},
    {"strrchr", 2}, {"strspn", 2}, {"strstr", 2}, {"strtod", 2}, {"strtok", 2}, {"ungetc", 2},
    {"fgets", 3}, {"fseek", 3}, {"read", 3}, {"strncasecmp", 3}, {"strncat", 3}, {"strncmp", 3},
    {"strncpy", 3}, {"strtok_r", 3}, {"strtol", 3}, {"strtoul", 3}, {"write", 3},
    {"fread", 4}, {"fwrite", 4}, {"strftime", 4},
    {"addrinfo", 0}, {"af_unspec", 0}, {"ai_passive", 0}, {"fd_set", 0}, {"sock_stream", 0},
    {"closesocket", 1}, {"freeaddrinfo", 1}, {"gai_strerror", 1}, {"htonl", 1}, {"htons", 1},
    {"ntohl", 1}, {"ntohs", 1},
    {"gethostname", 2}, {"listen", 2}, {"shutdown", 2},
    {"accept", 3}, {"bind", 3}, {"connect", 3}, {"getpeername", 3}, {"inet_pton", 3},
    {"socket", 3},
    {"getaddrinfo", 4}, {"inet_ntop", 4}, {"recv", 4}, {"send", 4},
    {"setsockopt", 5},
    {"recvfrom", 6}, {"sendto", 6},
    {"getnameinfo", 7},
};

std::map<std::string, int> table_rows() {
    std::map<std::string, int> rows;
    for (const BuiltinFamily* family : builtin_families()) {
        for (const BuiltinRow& row : family->rows) rows[std::string(row.name)] = row.arity;
    }
    return rows;
}

TEST(Library, TableHoldsExactlyTheLibrarysNamesAndArities) {
    std::map<std::string, int> rows = table_rows();
    EXPECT_EQ(std::size(kLibrary), 253u);
    EXPECT_EQ(rows.size(), std::size(kLibrary));
    for (const NamedRow& want : kLibrary) {
        auto found = rows.find(want.name);
        if (found == rows.end()) {
            ADD_FAILURE() << "missing: " << want.name;
            continue;
        }
        EXPECT_EQ(found->second, want.arity) << want.name;
        rows.erase(found);
    }
    for (const auto& [name, arity] : rows) ADD_FAILURE() << "not in the library: " << name;
}

// An entry is the name in backticks in docs/builtins.md, in a table row or
// in a family's list of names.
TEST(Library, EveryRowHasAnEntryInTheReference) {
    std::ifstream file(VESK_SOURCE_DIR "/docs/builtins.md");
    ASSERT_TRUE(file) << "docs/builtins.md";
    std::stringstream text;
    text << file.rdbuf();
    std::set<std::string> documented;
    const std::string doc = text.str();
    // Every word of a span between two backticks (a list names several).
    for (std::size_t open = doc.find('`'); open != std::string::npos;) {
        std::size_t close = doc.find('`', open + 1);
        if (close == std::string::npos) break;
        std::istringstream words(doc.substr(open + 1, close - open - 1));
        for (std::string word; words >> word;) documented.insert(word);
        open = doc.find('`', close + 1);
    }
    for (const auto& [name, arity] : table_rows()) {
        EXPECT_TRUE(documented.count(name)) << "no entry for " << name;
    }
}

}  // namespace
}  // namespace vesk::test
