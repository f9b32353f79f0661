// The in-memory file system behind the fault wrapper, as one object: tests
// and benchmarks build their tree on it, refuse calls and read the call
// log, and hand it to the code under test as its file system.
#pragma once
#include <string>

#include "platform/memory/FaultyFileSystem.h"
#include "platform/memory/MemoryFileSystem.h"

namespace kelvo {

namespace detail {
// Built before the wrapper that refers to it.
struct MemoryHolder {
    explicit MemoryHolder(MemoryFileSystem::Order order) : memory(order) {}
    MemoryFileSystem memory;
};
}  // namespace detail

class FaultyMemoryFileSystem : private detail::MemoryHolder, public FaultyFileSystem {
public:
    using Node = MemoryFileSystem::Node;
    using Order = MemoryFileSystem::Order;

    explicit FaultyMemoryFileSystem(Order order = Order::ByName) : MemoryHolder(order), FaultyFileSystem(memory) {}

    // The tree itself, for what the wrapper doesn't pass on.
    MemoryFileSystem& Memory() { return memory; }

    Node& AddFolder(const std::string& path, uint32_t extraAttributes = 0) {
        return memory.AddFolder(path, extraAttributes);
    }
    Node& AddFile(const std::string& path, uint32_t attributes = kAttrArchive, FileTime modification = 0,
                  const std::string& content = std::string()) {
        return memory.AddFile(path, attributes, modification, content);
    }
    Node& AddLink(const std::string& path, const std::string& target,
                  uint32_t attributes = kAttrDirectory | kAttrReparsePoint, uint32_t reparseTag = kReparseTagSymlink) {
        return memory.AddLink(path, target, attributes, reparseTag);
    }
    Node* Find(const std::string& path) { return memory.Find(path); }
    bool Exists(const std::string& path) { return memory.Exists(path); }
    void SetModulePath(const std::string& path) { memory.SetModulePath(path); }
    uint64_t EntriesRead() const { return memory.EntriesRead(); }
    uint64_t ListingsOpened() const { return memory.ListingsOpened(); }
    static std::string PathOf(const Node& node) { return MemoryFileSystem::PathOf(node); }
};

}  // namespace kelvo
