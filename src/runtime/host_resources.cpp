#include "runtime/host_resources.hpp"

#include <dirent.h>
#include <malloc.h>
#include <netdb.h>
#include <unistd.h>

#include <cstdlib>
#include <iterator>

namespace vesk {

namespace {

auto address_of(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}

// Forgets the freed ranges that [block, block + size) covers again.
void forget_freed_within(HostResources& host, void* block, std::size_t size) {
    auto it = host.freed.upper_bound(block);
    if (it != host.freed.begin() && address_of(std::prev(it)->first) + std::prev(it)->second >
                                        address_of(block)) {
        --it;
    }
    while (it != host.freed.end() && address_of(it->first) < address_of(block) + size) {
        it = host.freed.erase(it);
    }
}

// A stream stops writing into a block: what it holds is written out, and
// from then on it is unbuffered. (The C library here lets a stream's
// buffering change after it has been used, once it is flushed.)
void detach_buffer(std::FILE* stream) {
    std::fflush(stream);
    std::setvbuf(stream, nullptr, _IONBF, 0);
}

// Every stream that buffers into `block` lets go of it.
void detach_buffers_in(HostResources& host, void* block) {
    for (auto it = host.stream_buffers.begin(); it != host.stream_buffers.end();) {
        if (it->second == block) {
            detach_buffer(it->first);
            it = host.stream_buffers.erase(it);
        } else {
            ++it;
        }
    }
}

// fclose, except that a stream over descriptor 0, 1 or 2 (fdopen(2, ...))
// leaves the descriptor open: the process still writes its picture and its
// final output there. The descriptor is kept in a copy across the close.
int close_keeping_standard(std::FILE* stream) {
    int fd = ::fileno(stream);
    if (fd < 0 || fd > 2) return std::fclose(stream);
    int copy = ::dup(fd);
    if (copy < 0) return std::fflush(stream);  // the stream stays, unclosed
    int result = std::fclose(stream);
    ::dup2(copy, fd);
    ::close(copy);
    return result;
}

// Remembers as freed the record the C library is about to free: a FILE, a
// DIR or an addrinfo node. Each starts a block of the C library's
// allocator, which knows its size; the program may hold its address (or one
// inside it, as readdir's entry) after the close.
void note_library_freed(HostResources& host, void* record) {
    std::size_t size = malloc_usable_size(record);
    if (size > 0) host.freed[record] = size;
}

}  // namespace

HostResources::~HostResources() {
    release_host_resources(*this);
}

void note_block(HostResources& host, void* block, std::size_t size) {
    if (block == nullptr) return;
    host.blocks[block] = size;
    forget_freed_within(host, block, size);
}

bool free_block(HostResources& host, void* block) {
    auto entry = host.blocks.find(block);
    if (entry == host.blocks.end()) return false;
    std::size_t size = entry->second;
    host.blocks.erase(entry);
    detach_buffers_in(host, block);
    std::free(block);
    if (size > 0) host.freed[block] = size;
    return true;
}

void note_stream_buffer(HostResources& host, std::FILE* stream, void* block) {
    if (block == nullptr) {
        host.stream_buffers.erase(stream);
    } else {
        host.stream_buffers[stream] = block;
    }
}

int close_stream(HostResources& host, std::FILE* stream) {
    host.streams.erase(stream);
    host.stream_buffers.erase(stream);
    note_library_freed(host, stream);
    return close_keeping_standard(stream);
}

int close_directory(HostResources& host, void* dir) {
    host.directories.erase(dir);
    note_library_freed(host, dir);
    return closedir(static_cast<DIR*>(dir));
}

void free_address_list(HostResources& host, void* list) {
    host.address_lists.erase(list);
    for (auto* node = static_cast<addrinfo*>(list); node != nullptr; node = node->ai_next) {
        note_library_freed(host, node);
    }
    ::freeaddrinfo(static_cast<addrinfo*>(list));
}

void release_host_resources(HostResources& host) {
    // The standard streams outlive the run: each lets go of a block of the
    // run before the blocks go. The others are closed while their buffers
    // still live.
    for (const auto& [stream, block] : host.stream_buffers) {
        if (host.streams.count(stream) == 0) detach_buffer(stream);
    }
    host.stream_buffers.clear();
    for (std::FILE* stream : host.streams) {
        if (stream != stdin && stream != stdout && stream != stderr) close_keeping_standard(stream);
    }
    for (void* dir : host.directories) closedir(static_cast<DIR*>(dir));
    for (int socket : host.sockets) close(socket);
    for (void* list : host.address_lists) freeaddrinfo(static_cast<addrinfo*>(list));
    for (const auto& [block, size] : host.blocks) std::free(block);
    host.streams.clear();
    host.directories.clear();
    host.sockets.clear();
    host.address_lists.clear();
    host.blocks.clear();
    host.freed.clear();
    host.library_records.clear();
    host.strtok_rest = nullptr;
}

}  // namespace vesk
