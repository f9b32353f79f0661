#include "run/UndoFolder.h"

namespace kelvo {

bool FolderAsLeft(FileSystem& files, const std::string& folder, const ItemState& after) {
    FindEntry entry;
    return files.FindOne(folder, entry) && (entry.attributes & kAttrDirectory) != 0 &&
           entry.creation == after.creation && entry.modification == after.modification;
}

UndoResult RestoreFolderTimes(FileSystem& files, const std::string& folder, const ItemState& before) {
    UndoResult result;
    bool folderFound = true;
    bool writable = true;
    const bool updated = files.UpdateItem(folder, ItemOpening{Reach::Itself, true}, [&](const ItemState& now, ItemChange& change) {
        result.trace.before = now;
        folderFound = (now.attributes & kAttrDirectory) != 0;
        if (!folderFound) return false;
        if (now.creation != before.creation) change.creation = before.creation;
        if (now.modification != before.modification) change.modification = before.modification;
        writable = (!change.creation || IsWritableTime(*change.creation)) &&
                   (!change.modification || IsWritableTime(*change.modification));
        return writable && !change.Empty();
    }, &result.trace.after);
    if (!updated) {
        result.code = files.LastError();
        return result;
    }
    if (!folderFound || !writable) {
        result.reason = folderFound ? kUnwritableTimeReason : kChangedSinceReason;
        return result;
    }
    result.trace.written = !(result.trace.before.creation == before.creation &&
                             result.trace.before.modification == before.modification);
    result.outcome = result.trace.written ? UndoResult::Outcome::Restored : UndoResult::Outcome::AlreadyBefore;
    return result;
}

}  // namespace kelvo
