#include "run/UndoReach.h"

#include "platform/Cp932Text.h"

namespace kelvo {

namespace {

std::string FolderOf(const std::string& path) {
    std::string folder, name;
    SplitPath(path, folder, name);
    return folder;
}

// The part of `path` after `folder` and its separator; false where `path`
// does not lie below `folder`.
bool LiesBelow(const std::string& folder, const std::string& path, std::string& rest) {
    const std::string head = folder + SeparatorAfter(folder);
    if (path.size() <= head.size() || !IsCharBoundary(path, head.size()) ||
        !EqualsIgnoreCase(path.substr(0, head.size()), head)) {
        return false;
    }
    rest = path.substr(head.size());
    return true;
}

}  // namespace

bool UndoReach::MayUndo(const ChangedItem& item) {
    if (!EqualsIgnoreCase(FolderOf(item.pathBefore), FolderOf(item.pathAfter))) return false;
    if (fileMode_) return !item.isFolder && EqualsIgnoreCase(item.pathBefore, target_);
    if (item.isFolder && item.pathBefore != item.pathAfter) return false;
    return Below(item.pathBefore) && Below(item.pathAfter);
}

bool UndoReach::MayRestoreFolder(const std::string& folder) {
    if (fileMode_) return EqualsIgnoreCase(folder, FolderOf(target_));
    return EqualsIgnoreCase(folder, target_) || Below(folder + "\\x");
}

bool UndoReach::Below(const std::string& path) {
    std::string rest;
    if (!LiesBelow(target_, path, rest)) return false;
    // Each folder on the way down, from the target's first subfolder on.
    std::string folder = target_;
    for (size_t start = 0;;) {
        size_t cut = FindText(rest, "\\", start);
        while (cut != std::string::npos && !IsCharBoundary(rest, cut)) cut = FindText(rest, "\\", cut + 1);
        if (cut == std::string::npos) return true;
        folder += SeparatorAfter(folder) + rest.substr(start, cut - start);
        if (!PlainFolder(folder)) return false;
        start = cut + 1;
    }
}

bool UndoReach::PlainFolder(const std::string& folder) {
    if (plain_.count(folder) != 0) return true;
    FindEntry entry;
    if (!files_.FindOne(folder, entry) || !IsFolderToEnter(entry)) return false;
    plain_.insert(folder);
    return true;
}

}  // namespace kelvo
