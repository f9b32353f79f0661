#include "platform/memory/MemoryFileSystem.h"

#include <algorithm>
#include <cctype>

#include "platform/Cp932Text.h"

namespace kelvo {

namespace {

constexpr int kMaxLinkHops = 63;        // as many links as the system follows on one path

std::vector<std::string> SplitComponents(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        size_t len = CharLength(text, i);
        // The system takes a slash for a backslash.
        if (len == 1 && (text[i] == '\\' || text[i] == '/')) {
            parts.push_back(part);
            part.clear();
        } else {
            part.append(text, i, len);
        }
    }
    parts.push_back(part);
    return parts;
}

// The dots are the system's own names, exact whatever the folders are called.
FindEntry EntryOf(const MemoryFileSystem::Node& node, const std::string& name, bool exact) {
    FindEntry entry;
    entry.exact = exact;
    if (exact) entry.name = name;
    if (!exact) entry.systemName = name;
    entry.attributes = node.attributes;
    entry.reparseTag = node.reparseTag;
    entry.size = node.size;
    entry.creation = node.creation;
    entry.access = node.access;
    entry.modification = node.modification;
    return entry;
}

}  // namespace

class MemoryFileSystem::Listing : public DirectoryListing {
public:
    Listing(MemoryFileSystem& fs, Node& folder) : fs_(fs), folder_(folder) {}

    ListingStep Next(FindEntry& entry) override {
        // Folders below a drive root list "." and ".." first, as NTFS does.
        if (dots_ < 2 && folder_.parent != nullptr) {
            entry = EntryOf(dots_ == 0 ? folder_ : *folder_.parent, dots_ == 0 ? "." : "..", true);
            ++dots_;
            ++fs_.entriesRead_;
            return ListingStep::Entry();
        }
        dots_ = 2;
        Node* next = fs_.NextEntry(folder_, last_, lastKey_, lastSequence_);
        if (next == nullptr) return ListingStep::End();
        last_ = next;
        lastKey_ = fs_.OrderKey(*next);
        lastSequence_ = next->sequence;
        entry = EntryOf(*next, next->name, next->exact);
        ++fs_.entriesRead_;
        return ListingStep::Entry();
    }

private:
    MemoryFileSystem& fs_;
    Node& folder_;
    int dots_ = 0;
    const Node* last_ = nullptr;
    std::string lastKey_;
    uint64_t lastSequence_ = 0;
};

class MemoryFileSystem::Writer : public WritableFile {
public:
    explicit Writer(Node& node) : node_(&node) { node.locked = true; }
    ~Writer() override {
        if (node_ != nullptr) node_->locked = false;
    }
    bool Write(const std::string& bytes) override {
        if (node_ == nullptr) return false;
        node_->content += bytes;
        node_->size = node_->content.size();
        return true;
    }
    bool Close() override {
        if (node_ == nullptr) return false;
        node_->locked = false;
        node_ = nullptr;
        return true;
    }
    bool Truncate() override {
        if (node_ == nullptr) return false;
        node_->content.clear();
        node_->size = 0;
        return true;
    }

private:
    Node* node_;
};

MemoryFileSystem::MemoryFileSystem(Order order) : order_(order) {}

std::string MemoryFileSystem::PathOf(const Node& node) {
    if (node.parent == nullptr) return node.name + "\\";
    std::string parent = PathOf(*node.parent);
    return parent + SeparatorAfter(parent) + node.name;
}

std::string MemoryFileSystem::OrderKey(const Node& node) const {
    return order_ == Order::ByName ? FoldCase(node.name) : std::string();
}

MemoryFileSystem::Node* MemoryFileSystem::NextEntry(Node& folder, const Node* after, const std::string& afterKey,
                                                    uint64_t afterSequence) {
    auto& kids = folder.children;
    if (order_ == Order::ByName) {
        auto it = after == nullptr ? kids.begin()
                                   : std::upper_bound(kids.begin(), kids.end(), afterKey,
                                                      [this](const std::string& key, const std::unique_ptr<Node>& n) {
                                                          return key < OrderKey(*n);
                                                      });
        return it == kids.end() ? nullptr : it->get();
    }
    auto it = std::upper_bound(kids.begin(), kids.end(), afterSequence,
                               [](uint64_t seq, const std::unique_ptr<Node>& n) { return seq < n->sequence; });
    return it == kids.end() ? nullptr : it->get();
}

MemoryFileSystem::Node& MemoryFileSystem::Attach(Node& folder, std::unique_ptr<Node> child) {
    child->parent = &folder;
    child->sequence = nextSequence_++;
    auto& kids = folder.children;
    auto pos = kids.end();
    if (order_ == Order::ByName) {
        std::string key = OrderKey(*child);
        pos = std::upper_bound(kids.begin(), kids.end(), key,
                               [this](const std::string& k, const std::unique_ptr<Node>& n) { return k < OrderKey(*n); });
    }
    return **kids.insert(pos, std::move(child));
}

MemoryFileSystem::Node* MemoryFileSystem::Drive(const std::string& letter) {
    std::string key = FoldCase(letter);
    auto it = drives_.find(key);
    if (it != drives_.end()) return it->second.get();
    auto drive = std::make_unique<Node>();
    drive->name = key + ":";
    drive->attributes = kAttrDirectory;
    Node* raw = drive.get();
    drives_[key] = std::move(drive);
    return raw;
}

MemoryFileSystem::Node* MemoryFileSystem::ChildNamed(Node& folder, const std::string& name) {
    std::string folded = FoldCase(name);
    if (order_ == Order::ByName) {
        // Children are kept sorted by their folded names: large folders stay cheap to look into.
        auto& kids = folder.children;
        auto it = std::lower_bound(kids.begin(), kids.end(), folded,
                                   [this](const std::unique_ptr<Node>& n, const std::string& key) {
                                       return OrderKey(*n) < key;
                                   });
        for (; it != kids.end() && OrderKey(**it) == folded; ++it) {
            if ((*it)->exact) return it->get();
        }
        return nullptr;
    }
    // A name without an exact form is beyond every path the program can give.
    for (auto& child : folder.children) {
        if (child->exact && FoldCase(child->name) == folded) return child.get();
    }
    return nullptr;
}

bool MemoryFileSystem::Resolve(const std::string& path, std::string& full) const {
    if (path.empty()) return false;
    std::string drive;
    std::string rest;
    std::vector<std::string> parts;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        drive = FoldCase(path.substr(0, 1));
        rest = path.substr(2);
        if (rest.empty() || (rest[0] != '\\' && rest[0] != '/')) {
            if (FoldCase(currentDirectory_.substr(0, 1)) == drive) parts = SplitComponents(currentDirectory_.substr(3));
        }
    } else {
        drive = currentDirectory_.substr(0, 1);
        rest = path;
        if (rest[0] != '\\' && rest[0] != '/') parts = SplitComponents(currentDirectory_.substr(3));
    }
    for (const std::string& part : SplitComponents(rest)) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    full = drive + ":\\";
    bool first = true;
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        if (!first) full += "\\";
        full += part;
        first = false;
    }
    return true;
}

MemoryFileSystem::Node* MemoryFileSystem::Lookup(const std::string& fullPath, int hops) {
    Node* node = Drive(fullPath.substr(0, 1));
    for (const std::string& part : SplitComponents(fullPath.substr(3))) {
        if (part.empty()) continue;
        node = Followed(node, hops);
        if (node == nullptr || !node->IsFolder()) return nullptr;
        node = ChildNamed(*node, part);
        if (node == nullptr) return nullptr;
    }
    return node;
}

MemoryFileSystem::Node* MemoryFileSystem::Followed(Node* node, int hops) {
    while (node != nullptr && !node->linkTarget.empty()) {
        if (++hops > kMaxLinkHops) return nullptr;
        std::string full;
        if (!Resolve(node->linkTarget, full)) return nullptr;
        node = Lookup(full, hops);
    }
    return node;
}

MemoryFileSystem::Node* MemoryFileSystem::WriteTarget(Node* node, Reach reach) {
    if (node->linkTarget.empty()) return node;
    if (reach == Reach::Itself) {
        if (node->changeableItself) return node;
        Fail(kErrorThroughLink);
        return nullptr;
    }
    Node* target = Followed(node);
    if (target == nullptr) Fail(kErrorFileNotFound);
    return target;
}

MemoryFileSystem::Node& MemoryFileSystem::AddFolder(const std::string& path, uint32_t extraAttributes) {
    std::string full;
    Resolve(path, full);
    Node* node = Drive(full.substr(0, 1));
    for (const std::string& part : SplitComponents(full.substr(3))) {
        if (part.empty()) continue;
        Node* child = ChildNamed(*node, part);
        if (child == nullptr) {
            auto folder = std::make_unique<Node>();
            folder->name = part;
            folder->attributes = kAttrDirectory;
            child = &Attach(*node, std::move(folder));
        }
        node = child;
    }
    node->attributes |= extraAttributes;
    return *node;
}

MemoryFileSystem::Node& MemoryFileSystem::AddFile(const std::string& path, uint32_t attributes,
                                                  FileTime modification, const std::string& content) {
    std::string full;
    Resolve(path, full);
    std::string folder, name;
    SplitPath(full, folder, name);
    Node& parent = AddFolder(folder.size() == 2 ? folder + "\\" : folder);
    auto file = std::make_unique<Node>();
    file->name = name;
    file->attributes = attributes;
    file->creation = file->access = file->modification = modification;
    file->content = content;
    file->size = content.size();
    return Attach(parent, std::move(file));
}

MemoryFileSystem::Node& MemoryFileSystem::AddLink(const std::string& path, const std::string& target,
                                                  uint32_t attributes, uint32_t reparseTag) {
    Node& link = AddFile(path, attributes);
    link.linkTarget = target;
    link.reparseTag = reparseTag;
    return link;
}

MemoryFileSystem::Node* MemoryFileSystem::Locate(const std::string& path) {
    std::string full;
    if (!Resolve(path, full)) {
        Fail(kErrorFileNotFound);
        return nullptr;
    }
    if (full.size() > kMaxPathBytes) {
        Fail(kErrorFilenameTooLong);
        return nullptr;
    }
    Node* node = Lookup(full);
    if (node == nullptr) Fail(kErrorFileNotFound);
    return node;
}

MemoryFileSystem::Node* MemoryFileSystem::Find(const std::string& path) {
    std::string full;
    if (!Resolve(path, full)) return nullptr;
    return Lookup(full);
}

bool MemoryFileSystem::Fail(uint32_t error) {
    lastError_ = error;
    return false;
}

bool MemoryFileSystem::SetCurrentDirectory(const std::string& path) {
    std::string full;
    if (!Resolve(path, full)) return Fail(kErrorPathNotFound);
    if (full.size() > kMaxPathBytes) return Fail(kErrorFilenameTooLong);
    Node* node = Followed(Lookup(full));
    if (node == nullptr) return Fail(kErrorFileNotFound);
    if (!node->IsFolder()) return Fail(kErrorPathNotFound);
    if (node->noEnter) return Fail(kErrorAccessDenied);
    currentDirectory_ = full;
    return true;
}

bool MemoryFileSystem::GetCurrentDirectory(std::string& path) {
    path = currentDirectory_;
    return true;
}

std::unique_ptr<DirectoryListing> MemoryFileSystem::List(const std::string& pattern) {
    std::string folderPath = pattern.substr(0, pattern.size() - (pattern.empty() ? 0 : 1));
    std::string full;
    if (folderPath.empty()) {
        full = currentDirectory_;
    } else if (!Resolve(folderPath, full)) {
        Fail(kErrorPathNotFound);
        return nullptr;
    }
    Node* folder = Followed(Lookup(full));
    if (folder == nullptr || !folder->IsFolder()) {
        Fail(kErrorPathNotFound);
        return nullptr;
    }
    if (folder->noList) {
        Fail(kErrorAccessDenied);
        return nullptr;
    }
    ++listingsOpened_;
    return std::make_unique<Listing>(*this, *folder);
}

bool MemoryFileSystem::FindOne(const std::string& path, FindEntry& entry) {
    Node* node = Locate(path);
    if (node == nullptr) return false;
    if (node->parent == nullptr) return Fail(kErrorFileNotFound);
    entry = EntryOf(*node, node->name, node->exact);
    return true;
}

bool MemoryFileSystem::GetFullPath(const std::string& path, std::string& fullPath) {
    if (!Resolve(path, fullPath)) return Fail(kErrorPathNotFound);
    return true;
}

bool MemoryFileSystem::GetAttributes(const std::string& path, uint32_t& attributes) {
    Node* node = Locate(path);
    if (node == nullptr) return false;
    attributes = node->attributes;
    return true;
}

void MemoryFileSystem::WriteAttributeWord(Node& node, uint32_t attributes) {
    node.attributes = AttributesAfterWrite(node.attributes, attributes);
}

bool MemoryFileSystem::SetAttributes(const std::string& path, uint32_t attributes, Reach reach) {
    Node* node = Locate(path);
    if (node == nullptr || (node = WriteTarget(node, reach)) == nullptr) return false;
    if (node->parent == nullptr) return Fail(kErrorFileNotFound);
    WriteAttributeWord(*node, attributes);
    return true;
}

bool MemoryFileSystem::SetTimes(const std::string& path, const FileTime* creation, const FileTime* access,
                                const FileTime* modification, Reach reach) {
    Node* node = Locate(path);
    if (node == nullptr || (node = WriteTarget(node, reach)) == nullptr) return false;
    if (node->IsFolder() || (node->attributes & kAttrReadOnly)) return Fail(kErrorAccessDenied);
    if (node->locked) return Fail(kErrorSharingViolation);
    if (creation) node->creation = *creation;
    if (access) node->access = *access;
    if (modification) node->modification = *modification;
    return true;
}

// The open item's right to write its attributes lets it take new times
// even while it is read-only.
bool MemoryFileSystem::UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                                  ItemState* after) {
    Node* node = Locate(path);
    if (node == nullptr || (node = WriteTarget(node, opening.reach)) == nullptr) return false;
    if (node->parent == nullptr) return Fail(kErrorFileNotFound);
    if (opening.forTimes && node->locked) return Fail(kErrorSharingViolation);
    const ItemState now{node->attributes, node->creation, node->access, node->modification};
    ItemChange change;
    if (!decide(now, change) || change.Empty()) return true;
    if (node->updateWriteRefused) return Fail(kErrorAccessDenied);
    if (change.creation) node->creation = *change.creation;
    if (change.access) node->access = *change.access;
    if (change.modification) node->modification = *change.modification;
    if (change.attributes) WriteAttributeWord(*node, *change.attributes);
    if (after != nullptr) *after = ItemState{node->attributes, node->creation, node->access, node->modification};
    return true;
}

bool MemoryFileSystem::Move(const std::string& from, const std::string& to) {
    std::string fullFrom, fullTo;
    if (!Resolve(from, fullFrom) || !Resolve(to, fullTo)) return Fail(kErrorFileNotFound);
    if (fullFrom.size() > kMaxPathBytes || fullTo.size() > kMaxPathBytes) return Fail(kErrorFilenameTooLong);
    Node* node = Lookup(fullFrom);
    if (node == nullptr || node->parent == nullptr) return Fail(kErrorFileNotFound);
    if (node->locked) return Fail(kErrorSharingViolation);
    std::string folder, name;
    SplitPath(fullTo, folder, name);
    Node* target = Followed(Lookup(folder.size() == 2 ? folder + "\\" : folder));
    if (target == nullptr || !target->IsFolder() || name.empty()) return Fail(kErrorPathNotFound);
    Node* existing = ChildNamed(*target, name);
    if (existing != nullptr && existing != node) return Fail(kErrorAlreadyExists);
    Node* parent = node->parent;
    auto& kids = parent->children;
    auto it = std::find_if(kids.begin(), kids.end(), [node](const std::unique_ptr<Node>& n) { return n.get() == node; });
    std::unique_ptr<Node> owned = std::move(*it);
    kids.erase(it);
    owned->name = name;
    Attach(*target, std::move(owned));
    // A rename changes the folders it takes the item from and to, as every
    // file system keeps a folder's modification time.
    parent->modification = target->modification = ++folderTimeOnRename_;
    return true;
}

bool MemoryFileSystem::Replace(const std::string& from, const std::string& to) {
    std::string fullFrom, fullTo;
    if (!Resolve(from, fullFrom) || !Resolve(to, fullTo)) return Fail(kErrorPathNotFound);
    if (fullFrom.size() > kMaxPathBytes || fullTo.size() > kMaxPathBytes) return Fail(kErrorFilenameTooLong);
    Node* source = Find(from);
    Node* old = Find(to);
    if (source == nullptr || old == nullptr) return Fail(kErrorFileNotFound);
    if (source->IsFolder() || old->IsFolder() || old == source || (old->attributes & kAttrReadOnly)) {
        return Fail(kErrorAccessDenied);
    }
    if (source->locked || old->locked) return Fail(kErrorSharingViolation);
    // The replaced file's own attributes and creation time stay with its name.
    source->attributes = old->attributes;
    source->creation = old->creation;
    auto& oldKids = old->parent->children;
    oldKids.erase(std::find_if(oldKids.begin(), oldKids.end(), [old](const std::unique_ptr<Node>& n) { return n.get() == old; }));
    std::string folder, name;
    SplitPath(fullTo, folder, name);
    auto& kids = source->parent->children;
    auto it = std::find_if(kids.begin(), kids.end(), [source](const std::unique_ptr<Node>& n) { return n.get() == source; });
    std::unique_ptr<Node> owned = std::move(*it);
    kids.erase(it);
    owned->name = name;
    Attach(*Followed(Lookup(folder.size() == 2 ? folder + "\\" : folder)), std::move(owned));
    return true;
}

bool MemoryFileSystem::Delete(const std::string& path) {
    Node* node = Find(path);
    if (node == nullptr || node->parent == nullptr) return Fail(kErrorFileNotFound);
    if (node->IsFolder() || (node->attributes & kAttrReadOnly)) return Fail(kErrorAccessDenied);
    if (node->locked) return Fail(kErrorSharingViolation);
    auto& kids = node->parent->children;
    kids.erase(std::find_if(kids.begin(), kids.end(), [node](const std::unique_ptr<Node>& n) { return n.get() == node; }));
    return true;
}

bool MemoryFileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
    Node* node = Find(path);
    if (node == nullptr) return Fail(kErrorFileNotFound);
    if (node->IsFolder()) return Fail(kErrorAccessDenied);
    if (node->locked) return Fail(kErrorSharingViolation);
    bytes = node->content;
    return true;
}

std::unique_ptr<WritableFile> MemoryFileSystem::OpenForWriting(const std::string& path, bool truncate) {
    std::string full;
    if (!Resolve(path, full)) {
        Fail(kErrorPathNotFound);
        return nullptr;
    }
    if (full.size() > kMaxPathBytes) {
        Fail(kErrorFilenameTooLong);
        return nullptr;
    }
    Node* node = Lookup(full);
    if (node == nullptr) {
        std::string folder, name;
        SplitPath(full, folder, name);
        Node* parent = Followed(Lookup(folder.size() == 2 ? folder + "\\" : folder));
        if (parent == nullptr || !parent->IsFolder()) {
            Fail(kErrorPathNotFound);
            return nullptr;
        }
        auto file = std::make_unique<Node>();
        file->name = name;
        file->attributes = kAttrArchive;
        node = &Attach(*parent, std::move(file));
    } else if (node->IsFolder() || (node->attributes & kAttrReadOnly)) {
        Fail(kErrorAccessDenied);
        return nullptr;
    } else if (node->locked) {
        Fail(kErrorSharingViolation);
        return nullptr;
    }
    if (truncate) {
        node->content.clear();
        node->size = 0;
    }
    return std::make_unique<Writer>(*node);
}

std::string MemoryFileSystem::ModulePath() {
    return modulePath_;
}

}  // namespace kelvo
