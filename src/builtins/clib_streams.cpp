// The C library's streams and files. A stream is the integer address of a
// C FILE: stdin, stdout, stderr, or one this run opened with fopen, fdopen
// or tmpfile and has not closed (host resources keep the list; anything
// else is refused with "Z", so no call reaches a closed or foreign stream).
// Streams still open when the run ends are closed then.
#include <unistd.h>

#include <cstdio>
#include <iterator>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"
#include "builtins/raw_ranges.hpp"

namespace vesk {

namespace {

std::size_t as_size(std::int64_t n) {
    return static_cast<std::size_t>(n);
}

TermRef opened(Call& c, std::FILE* stream) {
    SavedErrno saved;
    if (stream != nullptr) c.rt.host.streams.insert(stream);
    saved.restore();
    return pointer_result(stream);
}

TermRef fopen_handler(Call& c) {
    std::optional<const char*> path = c_string(c, c.args[0]), mode = c_string(c, c.args[1]);
    if (!path || !mode) return c.fail();
    return opened(c, std::fopen(*path, *mode));
}

TermRef fdopen_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0);
    std::optional<const char*> mode = c_string(c, c.args[1]);
    if (!fd || !mode) return c.fail();
    return opened(c, fdopen(static_cast<int>(*fd), *mode));
}

TermRef tmpnam_handler(Call& c) {
    std::optional<void*> buffer = record_arg(c, 0, L_tmpnam, Access::write, true);
    if (!buffer) return c.fail();
    return pointer_result(std::tmpnam(static_cast<char*>(*buffer)));
}

// The three standard streams are refused: the process writes to them after
// the run, and a closed one would be touched after it is gone.
TermRef fclose_handler(Call& c) {
    std::optional<std::FILE*> stream = stream_argument(c, c.args[0]);
    if (!stream || *stream == stdin || *stream == stdout || *stream == stderr) return c.fail();
    return integer_result(close_stream(c.rt.host, *stream));
}

// fflush of 0 flushes every output stream.
TermRef fflush_handler(Call& c) {
    std::optional<void*> address = raw_address(c.args[0]);
    if (address && *address == nullptr) return integer_result(std::fflush(nullptr));
    std::optional<std::FILE*> stream = stream_argument(c, c.args[0]);
    if (!stream) return c.fail();
    return integer_result(std::fflush(*stream));
}

// feof ferror fgetc getc fileno: one stream, an int result.
TermRef on_stream(Call& c, int (*fn)(std::FILE*)) {
    std::optional<std::FILE*> stream = stream_argument(c, c.args[0]);
    if (!stream) return c.fail();
    return integer_result(fn(*stream));
}

TermRef ftell_handler(Call& c) {
    std::optional<std::FILE*> stream = stream_argument(c, c.args[0]);
    if (!stream) return c.fail();
    return integer_result(std::ftell(*stream));
}

// clearerr and rewind: no result.
TermRef stream_unit(Call& c, void (*fn)(std::FILE*)) {
    std::optional<std::FILE*> stream = stream_argument(c, c.args[0]);
    if (!stream) return c.fail();
    fn(*stream);
    return c.unit();
}

TermRef putchar_handler(Call& c) {
    std::optional<std::int64_t> ch = int_arg(c, 0);
    if (!ch) return c.fail();
    return integer_result(std::putchar(static_cast<int>(*ch)));
}

TermRef puts_handler(Call& c) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    if (!s) return c.fail();
    return integer_result(std::puts(*s));
}

TermRef perror_handler(Call& c) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    if (!s) return c.fail();
    std::perror(*s);
    return c.unit();
}

// fputc putc ungetc: a character, a stream.
TermRef char_to_stream(Call& c, int (*fn)(int, std::FILE*)) {
    std::optional<std::int64_t> ch = int_arg(c, 0);
    std::optional<std::FILE*> stream = stream_argument(c, c.args[1]);
    if (!ch || !stream) return c.fail();
    return integer_result(fn(static_cast<int>(*ch), *stream));
}

TermRef fputs_handler(Call& c) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    std::optional<std::FILE*> stream = stream_argument(c, c.args[1]);
    if (!s || !stream) return c.fail();
    return integer_result(std::fputs(*s, *stream));
}

TermRef fgets_handler(Call& c) {
    std::optional<std::size_t> size = count_arg(c, 1);
    if (!size || *size > 0x7fffffff) return c.fail();
    std::optional<void*> buffer = record_arg(c, 0, *size, Access::write);
    std::optional<std::FILE*> stream = stream_argument(c, c.args[2]);
    if (!buffer || !stream) return c.fail();
    return pointer_result(std::fgets(static_cast<char*>(*buffer), static_cast<int>(*size), *stream));
}

// fgetpos (get true) and fsetpos: a stream, the address of a position.
TermRef position(Call& c, bool get) {
    std::optional<std::FILE*> stream = stream_argument(c, c.args[0]);
    std::optional<void*> record =
        record_arg(c, 1, sizeof(std::fpos_t), get ? Access::write : Access::read);
    if (!stream || !record) return c.fail();
    auto* pos = static_cast<std::fpos_t*>(*record);
    return integer_result(get ? std::fgetpos(*stream, pos) : std::fsetpos(*stream, pos));
}

TermRef fseek_handler(Call& c) {
    std::optional<std::FILE*> stream = stream_argument(c, c.args[0]);
    std::optional<std::int64_t> offset = int_arg(c, 1), origin = int_arg(c, 2);
    if (!stream || !offset || !origin) return c.fail();
    return integer_result(std::fseek(*stream, *offset, static_cast<int>(*origin)));
}

// A buffer must be BUFSIZ bytes of one block of the run. The run remembers
// it, so that freeing the block, and the end of the run, first take the
// stream off it.
TermRef setbuf_handler(Call& c) {
    std::optional<std::FILE*> stream = stream_argument(c, c.args[0]);
    std::optional<void*> buffer = raw_address(c.args[1]);
    if (!stream || !buffer) return c.fail();
    void* block = nullptr;
    if (*buffer != nullptr) {
        if (!range_allowed(c.rt.host, *buffer, BUFSIZ, Access::write)) return c.fail();
        block = std::prev(c.rt.host.blocks.upper_bound(*buffer))->first;
    }
    std::setbuf(*stream, static_cast<char*>(*buffer));
    note_stream_buffer(c.rt.host, *stream, block);
    return c.unit();
}

TermRef fread_handler(Call& c) {
    std::optional<std::size_t> size = count_arg(c, 1), count = count_arg(c, 2);
    std::size_t bytes = 0;
    if (!size || !count || __builtin_mul_overflow(*size, *count, &bytes)) return c.fail();
    std::optional<void*> buffer = record_arg(c, 0, bytes, Access::write);
    std::optional<std::FILE*> stream = stream_argument(c, c.args[3]);
    if (!buffer || !stream) return c.fail();
    return unsigned_result(std::fread(*buffer, *size, *count, *stream));
}

TermRef fwrite_handler(Call& c) {
    std::optional<std::int64_t> size = int_arg(c, 1), count = int_arg(c, 2);
    std::optional<std::FILE*> stream = stream_argument(c, c.args[3]);
    if (!size || !count || !stream || *size < 0 || *count < 0) return c.fail();
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(as_size(*size), as_size(*count), &bytes)) return c.fail();
    std::optional<const char*> data = counted_data(c, c.args[0], bytes);
    if (!data) return c.fail();
    auto written = std::fwrite(*data, as_size(*size), as_size(*count), *stream);
    return integer_result(static_cast<std::int64_t>(written));
}

TermRef read_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0);
    std::optional<std::size_t> count = count_arg(c, 2);
    if (!fd || !count) return c.fail();
    std::optional<void*> buffer = record_arg(c, 1, *count, Access::write);
    if (!buffer) return c.fail();
    return integer_result(::read(static_cast<int>(*fd), *buffer, *count));
}

TermRef write_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0), count = int_arg(c, 2);
    if (!fd || !count || *count < 0) return c.fail();
    std::optional<const char*> data = counted_data(c, c.args[1], static_cast<std::uint64_t>(*count));
    if (!data) return c.fail();
    return integer_result(::write(static_cast<int>(*fd), *data, as_size(*count)));
}

TermRef remove_handler(Call& c) {
    std::optional<const char*> path = c_string(c, c.args[0]);
    if (!path) return c.fail();
    return integer_result(std::remove(*path));
}

TermRef rename_handler(Call& c) {
    std::optional<const char*> from = c_string(c, c.args[0]), to = c_string(c, c.args[1]);
    if (!from || !to) return c.fail();
    return integer_result(std::rename(*from, *to));
}

int feof_of(std::FILE* s) { return std::feof(s); }
int ferror_of(std::FILE* s) { return std::ferror(s); }
int fgetc_of(std::FILE* s) { return std::fgetc(s); }
int getc_of(std::FILE* s) { return std::getc(s); }
int fileno_of(std::FILE* s) { return fileno(s); }
void clearerr_of(std::FILE* s) { std::clearerr(s); }
void rewind_of(std::FILE* s) { std::rewind(s); }
int fputc_to(int ch, std::FILE* s) { return std::fputc(ch, s); }
int putc_to(int ch, std::FILE* s) { return std::putc(ch, s); }
int ungetc_to(int ch, std::FILE* s) { return std::ungetc(ch, s); }

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kClibStreamRows[] = {
    {"stdout", 0, kHost, [](Call&) { return pointer_result(stdout); }},
    {"stderr", 0, kHost, [](Call&) { return pointer_result(stderr); }},
    {"tmpfile", 0, kHost, [](Call& c) { return opened(c, std::tmpfile()); }},
    {"tmpnam", 1, kHost, tmpnam_handler},
    {"fopen", 2, kHost, fopen_handler},
    {"fdopen", 2, kHost, fdopen_handler},
    {"fclose", 1, kHost, fclose_handler},
    {"fflush", 1, kHost, fflush_handler},
    {"feof", 1, kHost, [](Call& c) { return on_stream(c, feof_of); }},
    {"ferror", 1, kHost, [](Call& c) { return on_stream(c, ferror_of); }},
    {"fgetc", 1, kHost, [](Call& c) { return on_stream(c, fgetc_of); }},
    {"getc", 1, kHost, [](Call& c) { return on_stream(c, getc_of); }},
    {"ftell", 1, kHost, ftell_handler},
    {"fileno", 1, kHost, [](Call& c) { return on_stream(c, fileno_of); }},
    {"clearerr", 1, kHost, [](Call& c) { return stream_unit(c, clearerr_of); }},
    {"rewind", 1, kHost, [](Call& c) { return stream_unit(c, rewind_of); }},
    {"getchar", 0, kHost, [](Call&) { return integer_result(std::getchar()); }},
    {"putchar", 1, kHost, putchar_handler},
    {"puts", 1, kHost, puts_handler},
    {"perror", 1, kHost, perror_handler},
    {"fputc", 2, kHost, [](Call& c) { return char_to_stream(c, fputc_to); }},
    {"putc", 2, kHost, [](Call& c) { return char_to_stream(c, putc_to); }},
    {"ungetc", 2, kHost, [](Call& c) { return char_to_stream(c, ungetc_to); }},
    {"fputs", 2, kHost, fputs_handler},
    {"fgets", 3, kHost, fgets_handler},
    {"fgetpos", 2, kHost, [](Call& c) { return position(c, true); }},
    {"fsetpos", 2, kHost, [](Call& c) { return position(c, false); }},
    {"fseek", 3, kHost, fseek_handler},
    {"setbuf", 2, kHost, setbuf_handler},
    {"fread", 4, kHost, fread_handler},
    {"fwrite", 4, kHost, fwrite_handler},
    {"read", 3, kHost, read_handler},
    {"write", 3, kHost, write_handler},
    {"remove", 1, kHost, remove_handler},
    {"rename", 2, kHost, rename_handler},
};

}  // namespace

const BuiltinFamily kClibStreamFamily = {"streams", kClibStreamRows};

}  // namespace vesk
