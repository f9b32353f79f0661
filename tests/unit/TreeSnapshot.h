// Every item below a folder of the in-memory file system by its path, in
// the letters it has: its attribute word and its three times. Two snapshots
// compare equal only where nothing was renamed, made or changed.
#pragma once
#include <map>
#include <string>
#include <tuple>

#include "platform/memory/MemoryFileSystem.h"

namespace kelvo {

using TreeSnapshot = std::map<std::string, std::tuple<uint32_t, FileTime, FileTime, FileTime>>;

inline void SnapBelow(const MemoryFileSystem::Node& node, const std::string& path, TreeSnapshot& tree) {
    tree[path] = {node.attributes, node.creation, node.access, node.modification};
    for (const auto& child : node.children) SnapBelow(*child, path + "\\" + child->name, tree);
}

inline TreeSnapshot SnapTree(MemoryFileSystem::Node& root, const std::string& path) {
    TreeSnapshot tree;
    SnapBelow(root, path, tree);
    return tree;
}

}  // namespace kelvo
