// Taking one item back.
#include "run/UndoItem.h"

#include "platform/Cp932Text.h"

namespace kelvo {

const char* const kChangedSinceReason = "一括変更の後に変更されています";

namespace {

using Outcome = UndoResult::Outcome;

bool IsFolder(uint32_t attributes) { return (attributes & kAttrDirectory) != 0; }

// The word and each time the run wrote (one that differs before and after) match.
bool Matches(const ItemState& now, const ItemState& wanted, const ItemState& before, const ItemState& after) {
    if (now.attributes != wanted.attributes) return false;
    FileTime ItemState::*times[3] = {&ItemState::creation, &ItemState::access, &ItemState::modification};
    for (FileTime ItemState::*time : times) {
        if (before.*time != after.*time && now.*time != wanted.*time) return false;
    }
    return true;
}

UndoResult Left(uint32_t code, const std::string& reason = std::string()) {
    UndoResult result;
    result.outcome = Outcome::Left;
    result.code = code;
    result.reason = reason;
    return result;
}

// The item at `path` is where the run left it: its state back, when the run
// wrote it. Sets `result` to Left where the item is not as the run left it.
bool RestoreState(FileSystem& files, const ChangedItem& item, const std::string& path, Reach reach,
                  UndoResult& result) {
    if (!item.before || !item.after) {
        FindEntry entry;
        if (!files.FindOne(path, entry)) {
            result = Left(files.LastError());
            return false;
        }
        if (IsFolder(entry.attributes) != item.isFolder) {
            result = Left(0, kChangedSinceReason);
            return false;
        }
        // The run wrote nothing of its state: there is none to take back.
        result.outcome = Outcome::AlreadyBefore;
        return true;
    }
    const ItemState& before = *item.before;
    const ItemState& after = *item.after;
    enum class Found { AsLeft, AsBefore, Other } found = Found::Other;
    const bool timesWritten = before.creation != after.creation || before.access != after.access ||
                              before.modification != after.modification;
    const ItemOpening opening{reach, timesWritten};
    const bool updated = files.UpdateItem(path, opening, [&](const ItemState& now, ItemChange& change) {
        result.trace.before = now;
        if (IsFolder(now.attributes) != item.isFolder) return false;
        if (Matches(now, before, before, after)) {
            found = Found::AsBefore;
            return false;
        }
        if (!Matches(now, after, before, after)) return false;
        found = Found::AsLeft;
        if (now.attributes != before.attributes) change.attributes = before.attributes;
        if (before.creation != after.creation) change.creation = before.creation;
        if (before.access != after.access) change.access = before.access;
        if (before.modification != after.modification) change.modification = before.modification;
        return !change.Empty();
    }, &result.trace.after);
    if (!updated) {
        result = Left(files.LastError());
        return false;
    }
    if (found == Found::Other) {
        result = Left(0, kChangedSinceReason);
        return false;
    }
    result.trace.written = found == Found::AsLeft;
    result.outcome = found == Found::AsLeft ? Outcome::Restored : Outcome::AlreadyBefore;
    return true;
}

// An item the run renamed and that is no longer at its new name: passed
// over where it is back at its old name as it was, left otherwise.
UndoResult BackAlready(FileSystem& files, const ChangedItem& item, Reach reach) {
    FindEntry entry;
    if (!files.FindOne(item.pathBefore, entry)) return Left(kErrorFileNotFound);
    if (!item.before) {
        if (IsFolder(entry.attributes) != item.isFolder) return Left(0, kChangedSinceReason);
        UndoResult result;
        result.outcome = Outcome::AlreadyBefore;
        return result;
    }
    UndoResult result;
    if (!RestoreState(files, item, item.pathBefore, reach, result)) return result;
    // Back under its old name, as the run left it: not the undo's to write.
    if (result.outcome != Outcome::AlreadyBefore) return Left(0, kChangedSinceReason);
    return result;
}

}  // namespace

UndoResult UndoItem(FileSystem& files, const ChangedItem& item, Reach reach) {
    const bool renamed = item.pathBefore != item.pathAfter;
    const bool caseOnly = renamed && EqualsIgnoreCase(item.pathBefore, item.pathAfter);
    FindEntry entry;
    if (renamed && !caseOnly) {
        if (!files.FindOne(item.pathAfter, entry)) {
            if (files.LastError() != kErrorFileNotFound && files.LastError() != kErrorPathNotFound) {
                return Left(files.LastError());
            }
            return BackAlready(files, item, reach);
        }
        if (files.FindOne(item.pathBefore, entry)) return Left(kErrorAlreadyExists);
    }
    UndoResult result;
    if (!RestoreState(files, item, item.pathAfter, reach, result)) return result;
    if (!renamed) return result;
    // A state found as it was before, under the run's new name, is not the
    // item as the run left it.
    if (result.outcome == Outcome::AlreadyBefore && item.before) return Left(0, kChangedSinceReason);
    if (caseOnly) {
        std::string folder, oldName;
        SplitPath(item.pathBefore, folder, oldName);
        if (files.FindOne(item.pathAfter, entry) && entry.name == oldName) {
            result.outcome = Outcome::AlreadyBefore;
            return result;
        }
    }
    if (!files.Move(item.pathAfter, item.pathBefore)) {
        const uint32_t error = files.LastError();
        return Left(error == kErrorFileExists ? kErrorAlreadyExists : error);
    }
    result.outcome = Outcome::Restored;
    return result;
}

}  // namespace kelvo
