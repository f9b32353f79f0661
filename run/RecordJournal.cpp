#include "run/RecordJournal.h"

#include "platform/Cp932Text.h"

namespace kelvo {

namespace {

bool SameState(const ItemState& a, const ItemState& b) {
    return a.attributes == b.attributes && a.creation == b.creation && a.access == b.access &&
           a.modification == b.modification;
}

// A folder's state as its parent lists it; false where it has no entry of
// its own (a drive root).
bool FolderState(FileSystem& files, const std::string& folder, ItemState& state) {
    if (folder.size() <= 3 && folder.find(':') != std::string::npos) return false;
    FindEntry entry;
    if (!files.FindOne(folder, entry) || (entry.attributes & kAttrDirectory) == 0) return false;
    state = ItemState{entry.attributes, entry.creation, entry.access, entry.modification};
    return true;
}

}  // namespace

bool RecordJournal::BeforeRename(const std::string& from, const std::string& to, const ItemState& state,
                                 const ItemState& planned) {
    std::string folder, name;
    SplitPath(from, folder, name);
    if (!EqualsIgnoreCase(folder, noted_)) {
        FolderDone(noted_);
        ItemState folderState;
        if (FolderState(files_, folder, folderState)) {
            record_.Write(FolderLine(false, folder, folderState));
            noted_ = folder;
        }
    }
    return Journal(ChangedItem{false, from, to, state, planned});
}

bool RecordJournal::BeforeUpdate(bool isFolder, const std::string& path, const ItemState& now,
                                 const ItemState& planned) {
    // A rename just written down named this update already, as it is now.
    if (last_.pathAfter == path && last_.before && last_.after && SameState(*last_.before, now) &&
        SameState(*last_.after, planned)) {
        last_ = ChangedItem();
        return true;
    }
    return Journal(ChangedItem{isFolder, path, path, now, planned});
}

bool RecordJournal::Journal(const ChangedItem& item) {
    record_.Write(ChangingLine(item));
    last_ = item;
    return record_.Flush();
}

void RecordJournal::FolderDone(const std::string& folder) {
    if (noted_.empty() || !EqualsIgnoreCase(folder, noted_)) return;
    ItemState state;
    if (FolderState(files_, noted_, state)) record_.Write(FolderLine(true, noted_, state));
    noted_.clear();
}

}  // namespace kelvo
