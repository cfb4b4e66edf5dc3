// The host resources a run has opened through built-ins: C streams,
// directory streams, sockets, address lists from getaddrinfo and memory
// blocks from malloc and its kin.
// Each is entered when a built-in opens it and forgotten when the program
// closes or frees it; whatever is still open when the runtime goes is given
// back then, so a program that forgets to close leaks nothing past its run.
//
// Keyed by address or descriptor, the numbers a program holds them by.
// Besides what is open, the tables remember what raw addresses may reach:
// the blocks held (start -> size), the ranges freed since (so that an
// address into a block already given back is refused: the run's blocks,
// and the records of the streams, directories and address lists it has
// closed, which the C library freed), and which blocks a stream was given
// as its buffer (so that the block outlives its use).
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <set>

namespace vesk {

struct HostResources {
    std::set<std::FILE*> streams;    // from fopen, fdopen, popen: fclose'd
    std::set<void*> directories;     // DIR* from opendir: closedir'd
    std::set<int> sockets;           // descriptors from socket/accept: close'd
    std::set<void*> address_lists;   // addrinfo lists from getaddrinfo: freeaddrinfo'd
    std::map<void*, std::size_t> blocks;  // malloc'd block -> its size: free'd
    // Freed block -> its size, until a block of the run covers it again.
    std::map<void*, std::size_t> freed;
    // Records the C library handed out and a program may change in place
    // (gmtime's and localtime's struct tm, for mktime): address -> size.
    std::map<void*, std::size_t> library_records;
    // Stream -> the start of the block it buffers into (setbuf).
    std::map<std::FILE*, void*> stream_buffers;
    // Where strtok goes on when called with 0; null until a string is given.
    char* strtok_rest = nullptr;

    HostResources() = default;
    HostResources(const HostResources&) = delete;
    HostResources& operator=(const HostResources&) = delete;
    ~HostResources();
};

// Enters a block from malloc, calloc or realloc (null is ignored).
void note_block(HostResources& host, void* block, std::size_t size);
// Frees a block the program gives back: a stream buffering into it is
// flushed and left unbuffered first, and its range is remembered as freed.
// False (and nothing done) when the runtime never handed it out.
[[nodiscard]] bool free_block(HostResources& host, void* block);
// Enters `block` as the buffer `stream` writes through (null: none).
void note_stream_buffer(HostResources& host, std::FILE* stream, void* block);
// Closes a stream the program closes, and forgets it.
int close_stream(HostResources& host, std::FILE* stream);
// Closes a directory stream the program closes, and forgets it.
int close_directory(HostResources& host, void* dir);
// Frees an address list the program gives back, and forgets it.
void free_address_list(HostResources& host, void* list);
// Gives back everything still held: the standard streams flushed and taken
// off any block of the run, streams closed (never descriptors 0, 1 and 2),
// sockets closed, address lists and blocks freed. The tables are empty
// afterwards.
void release_host_resources(HostResources& host);

}  // namespace vesk
