#include "runtime/host_resources.hpp"

#include <dirent.h>
#include <netdb.h>
#include <unistd.h>

#include <cstdlib>

namespace vesk {

HostResources::~HostResources() {
    release_host_resources(*this);
}

void note_block(HostResources& host, void* block, std::size_t size) {
    if (block != nullptr) host.blocks[block] = size;
}

bool forget_block(HostResources& host, void* block) {
    return host.blocks.erase(block) != 0;
}

void release_host_resources(HostResources& host) {
    // The standard streams stay open: the process still writes to them.
    for (std::FILE* stream : host.streams) {
        if (stream != stdin && stream != stdout && stream != stderr) std::fclose(stream);
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
}

}  // namespace vesk
