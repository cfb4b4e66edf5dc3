#include "terms/out_of_memory.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace vesk {

namespace {

const char* the_activity = "starting";
// Whether the picture is drawn in colour, as every other picture of the
// run is; the driver decides at start-up (before any memory can run out).
bool in_colour = true;

// Writes every byte, retrying short writes; gives up on an error, since
// there is nothing left to report it to.
void write_all(int fd, const char* text) {
    std::size_t left = std::strlen(text);
    while (left > 0) {
        ssize_t wrote = ::write(fd, text, left);
        if (wrote <= 0) return;
        text += wrote;
        left -= static_cast<std::size_t>(wrote);
    }
}

void on_failed_new() {
    out_of_memory();
}

}  // namespace

void set_activity(const char* activity) {
    the_activity = activity;
}

const char* current_activity() {
    return the_activity;
}

// The picture is written piece by piece from static texts: building it as
// a string would need the memory that just ran out. The activity texts
// are plain words and blanks, shown in the picture's colours for a blank.
void out_of_memory() {
    std::fflush(stdout);
    if (in_colour) write_all(2, "\033[m");
    write_all(2,
              "                        /\\\n"
              "\\/\\oh [space]     /\\   /  \\\n"
              "/\\uck_________/\\_/  \\_/    \\_\n"
              " <say> Ran");
    const char* words[] = {" out of memory while ", the_activity, "."};
    for (const char* piece : words) {
        for (const char* c = piece; *c != '\0'; ++c) {
            char one[2] = {*c, '\0'};
            write_all(2, *c == ' ' && in_colour ? "\033[32m \033[m" : one);
        }
    }
    write_all(2, "\n");
    ::_exit(128);
}

void set_out_of_memory_colour(bool colour) {
    in_colour = colour;
}

void install_out_of_memory_handler() {
    std::set_new_handler(on_failed_new);
}

}  // namespace vesk
