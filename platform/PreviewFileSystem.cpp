// The overlay of a preview.
#include "platform/PreviewFileSystem.h"

#include "platform/Cp932Text.h"

namespace kelvo {

namespace {

std::string FolderOfPattern(FileSystem& files, const std::string& pattern) {
    std::string folder;
    const std::string named = pattern.substr(0, pattern.size() - (pattern.empty() ? 0 : 1));
    if (named.empty()) {
        files.GetCurrentDirectory(folder);
    } else if (!files.GetFullPath(named, folder)) {
        folder = named;
    }
    return folder;
}

}  // namespace

// The disk's listing without the items the overlay moved away.
class PreviewFileSystem::Listing : public DirectoryListing {
public:
    Listing(PreviewFileSystem& files, std::unique_ptr<DirectoryListing> inner, std::string folder)
        : files_(files), inner_(std::move(inner)), folder_(std::move(folder)) {}

    ListingStep Next(FindEntry& entry) override {
        for (;;) {
            const ListingStep step = inner_->Next(entry);
            if (!step.IsEntry() || files_.movedAway_.empty() || !entry.exact) return step;
            const std::string key = FoldCase(folder_ + SeparatorAfter(folder_) + entry.name);
            if (files_.movedAway_.count(key) == 0 || files_.movedTo_.count(key) != 0) return step;
        }
    }

private:
    PreviewFileSystem& files_;
    std::unique_ptr<DirectoryListing> inner_;
    const std::string folder_;
};

bool PreviewFileSystem::Fail(uint32_t error) {
    lastError_ = error;
    return false;
}

bool PreviewFileSystem::Forwarded(bool ok) {
    if (!ok) lastError_ = inner_.LastError();
    return ok;
}

bool PreviewFileSystem::OnDisk(const std::string& path, std::string& disk, std::string* shownName) {
    std::string full;
    if (!inner_.GetFullPath(path, full)) return Forwarded(false);
    const std::string key = FoldCase(full);
    auto moved = movedTo_.find(key);
    if (moved != movedTo_.end()) {
        disk = moved->second.disk;
        if (shownName != nullptr) *shownName = moved->second.name;
        return true;
    }
    if (movedAway_.count(key) != 0) return Fail(kErrorFileNotFound);
    disk = full;
    return true;
}

bool PreviewFileSystem::SetCurrentDirectory(const std::string& path) {
    return Forwarded(inner_.SetCurrentDirectory(path));
}

bool PreviewFileSystem::GetCurrentDirectory(std::string& path) { return Forwarded(inner_.GetCurrentDirectory(path)); }

std::unique_ptr<DirectoryListing> PreviewFileSystem::List(const std::string& pattern) {
    std::unique_ptr<DirectoryListing> listing = inner_.List(pattern);
    if (listing == nullptr) {
        Forwarded(false);
        return nullptr;
    }
    return std::make_unique<Listing>(*this, std::move(listing), FolderOfPattern(inner_, pattern));
}

bool PreviewFileSystem::FindOne(const std::string& path, FindEntry& entry) {
    std::string disk, name;
    if (!OnDisk(path, disk, &name)) return false;
    if (!Forwarded(inner_.FindOne(disk, entry))) return false;
    if (!name.empty()) entry.name = name;
    return true;
}

bool PreviewFileSystem::GetFullPath(const std::string& path, std::string& fullPath) {
    return Forwarded(inner_.GetFullPath(path, fullPath));
}

bool PreviewFileSystem::GetAttributes(const std::string& path, uint32_t& attributes) {
    std::string disk;
    return OnDisk(path, disk) && Forwarded(inner_.GetAttributes(disk, attributes));
}

bool PreviewFileSystem::SetAttributes(const std::string& path, uint32_t, Reach) {
    uint32_t attributes = 0;
    return GetAttributes(path, attributes);
}

bool PreviewFileSystem::SetTimes(const std::string& path, const FileTime*, const FileTime*, const FileTime*, Reach) {
    uint32_t attributes = 0;
    return GetAttributes(path, attributes);
}

// The item is opened and read as the run would open and read it, so an
// item the run couldn't open is left here too; the decision is taken, and
// what it would write is what the item would then have.
bool PreviewFileSystem::UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                                   ItemState* after) {
    std::string disk;
    if (!OnDisk(path, disk)) return false;
    ItemState now;
    ItemChange change;
    bool write = false;
    const bool read = inner_.UpdateItem(disk, opening, [&](const ItemState& state, ItemChange& wanted) {
        now = state;
        write = decide(state, wanted) && !wanted.Empty();
        change = wanted;
        return false;
    });
    if (!read) return Forwarded(false);
    if (write && after != nullptr) {
        *after = now;
        if (change.attributes) after->attributes = AttributesAfterWrite(now.attributes, *change.attributes);
        if (change.creation) after->creation = *change.creation;
        if (change.access) after->access = *change.access;
        if (change.modification) after->modification = *change.modification;
    }
    return true;
}

// A rename as MoveFile would take it: refused where the new name is taken
// (by an item on disk the overlay hasn't moved away, or by one it moved
// there), except by the item itself, whose name may change its case.
bool PreviewFileSystem::Move(const std::string& from, const std::string& to) {
    std::string fromFull, toFull, disk;
    if (!inner_.GetFullPath(from, fromFull) || !inner_.GetFullPath(to, toFull)) return Forwarded(false);
    if (fromFull.size() > kMaxPathBytes || toFull.size() > kMaxPathBytes) return Fail(kErrorFilenameTooLong);
    if (!OnDisk(fromFull, disk)) return false;
    const std::string fromKey = FoldCase(fromFull);
    const std::string toKey = FoldCase(toFull);
    if (toKey != fromKey) {
        FindEntry entry;
        if (movedTo_.count(toKey) != 0 || (movedAway_.count(toKey) == 0 && inner_.FindOne(toFull, entry))) {
            return Fail(kErrorAlreadyExists);
        }
    }
    std::string folder, name;
    SplitPath(toFull, folder, name);
    movedTo_.erase(fromKey);
    movedAway_.insert(FoldCase(disk));
    movedTo_[toKey] = Moved{disk, name};
    return true;
}

// A preview writes no file of its own.
bool PreviewFileSystem::Replace(const std::string&, const std::string&) { return Fail(kErrorAccessDenied); }

bool PreviewFileSystem::Delete(const std::string&) { return Fail(kErrorAccessDenied); }

bool PreviewFileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
    std::string disk;
    return OnDisk(path, disk) && Forwarded(inner_.ReadWholeFile(disk, bytes));
}

std::unique_ptr<WritableFile> PreviewFileSystem::OpenForWriting(const std::string&, bool) {
    Fail(kErrorAccessDenied);
    return nullptr;
}

}  // namespace kelvo
