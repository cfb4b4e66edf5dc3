// The host resources a run has opened through built-ins: C streams,
// directory streams, sockets, address lists from getaddrinfo and memory
// blocks from malloc and its kin.
// Each is entered when a built-in opens it and forgotten when the program
// closes or frees it; whatever is still open when the runtime goes is given
// back then, so a program that forgets to close leaks nothing past its run.
//
// Keyed by address or descriptor, the numbers a program holds them by.
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

    HostResources() = default;
    HostResources(const HostResources&) = delete;
    HostResources& operator=(const HostResources&) = delete;
    ~HostResources();
};

// Enters a block from malloc, calloc or realloc (null is ignored).
void note_block(HostResources& host, void* block, std::size_t size);
// Forgets a block the program frees; false when the runtime never handed it
// out (the caller then refuses the free).
[[nodiscard]] bool forget_block(HostResources& host, void* block);
// Gives back everything still held: streams closed, sockets closed,
// address lists and blocks freed. The tables are empty afterwards.
void release_host_resources(HostResources& host);

}  // namespace vesk
