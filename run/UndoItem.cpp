// Taking one item back.
#include "run/UndoItem.h"

#include "platform/Cp932Text.h"

namespace kelvo {

const char* const kChangedSinceReason = "一括変更の後に変更されています";
const char* const kUnwritableTimeReason = "元の日時は書き込めない値です";

bool IsWritableTime(FileTime time) { return time != 0 && time <= 0x7FFFFFFFFFFFFFFFull; }

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

bool Missing(uint32_t error) { return error == kErrorFileNotFound || error == kErrorPathNotFound; }

// Without a state in the record only the item's presence and kind tell.
bool PresentAs(FileSystem& files, const ChangedItem& item, const std::string& path, UndoResult& result) {
    uint32_t attributes = 0;
    if (!files.GetAttributes(path, attributes)) {
        result = Left(files.LastError());
        return false;
    }
    if (IsFolder(attributes) != item.isFolder) {
        result = Left(0, kChangedSinceReason);
        return false;
    }
    result.outcome = Outcome::AlreadyBefore;
    return true;
}

// The item at `path`, as its update reads it: where it is as the run left
// it and `writeBack` allows, its state is taken back in the same update.
// Sets `result` to AlreadyBefore or Restored, or to Left where the item is
// not as the run left it nor as it was before.
bool RestoreState(FileSystem& files, const ChangedItem& item, const std::string& path, Reach reach, bool writeBack,
                  UndoResult& result) {
    if (!item.before || !item.after) return PresentAs(files, item, path, result);
    const ItemState& before = *item.before;
    const ItemState& after = *item.after;
    FileTime ItemState::*times[3] = {&ItemState::creation, &ItemState::access, &ItemState::modification};
    for (FileTime ItemState::*time : times) {
        if (writeBack && before.*time != after.*time && !IsWritableTime(before.*time)) {
            result = Left(0, kUnwritableTimeReason);
            return false;
        }
    }
    enum class Found { AsLeft, AsBefore, Other } found = Found::Other;
    const bool timesWritten = before.creation != after.creation || before.access != after.access ||
                              before.modification != after.modification;
    const ItemOpening opening{reach, timesWritten && writeBack};
    const bool updated = files.UpdateItem(path, opening, [&](const ItemState& now, ItemChange& change) {
        result.trace.before = now;
        if (IsFolder(now.attributes) != item.isFolder) return false;
        if (Matches(now, before, before, after)) {
            found = Found::AsBefore;
            return false;
        }
        if (!Matches(now, after, before, after)) return false;
        found = Found::AsLeft;
        if (!writeBack) return false;
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
    if (found == Found::Other || (found == Found::AsLeft && !writeBack)) {
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
    UndoResult result;
    if (!RestoreState(files, item, item.pathBefore, reach, false, result) && Missing(result.code)) {
        return Left(kErrorFileNotFound);
    }
    return result;
}

// The item, its state just taken back, gets the state the run left it with.
void PutBackAsLeft(FileSystem& files, const ChangedItem& item, Reach reach) {
    const ItemState& before = *item.before;
    const ItemState& after = *item.after;
    files.UpdateItem(item.pathAfter, ItemOpening{reach, true}, [&](const ItemState& now, ItemChange& change) {
        if (now.attributes != after.attributes) change.attributes = after.attributes;
        if (before.creation != after.creation) change.creation = after.creation;
        if (before.access != after.access) change.access = after.access;
        if (before.modification != after.modification) change.modification = after.modification;
        return !change.Empty();
    });
}

bool SameState(const ItemState& a, const ItemState& b) {
    return a.attributes == b.attributes && a.creation == b.creation && a.access == b.access &&
           a.modification == b.modification;
}

// A rename alone is taken back only from an item whose word and
// modification time are still those the run's listing gave: any other is
// not the item the run renamed (another program's new file, say).
bool StillAsRenamed(FileSystem& files, const ChangedItem& item, UndoResult& result) {
    FindEntry entry;
    if (!files.FindOne(item.pathAfter, entry)) {
        result = Left(files.LastError());
        return false;
    }
    if (IsFolder(entry.attributes) != item.isFolder || entry.attributes != item.before->attributes ||
        entry.modification != item.before->modification) {
        result = Left(0, kChangedSinceReason);
        return false;
    }
    return true;
}

}  // namespace

UndoResult UndoItem(FileSystem& files, const ChangedItem& item, Reach reach, bool outcomeMissing) {
    UndoResult result;
    const bool renamed = item.pathBefore != item.pathAfter;
    if (!renamed) {
        RestoreState(files, item, item.pathAfter, reach, true, result);
        return result;
    }
    const bool caseOnly = EqualsIgnoreCase(item.pathBefore, item.pathAfter);
    if (!caseOnly) {
        uint32_t attributes = 0;
        if (!files.GetAttributes(item.pathAfter, attributes)) {
            if (!Missing(files.LastError())) return Left(files.LastError());
            return BackAlready(files, item, reach);
        }
        if (!item.before) {
            // A rename alone written down without a state: the rename itself
            // tells whether the old name is free.
            if (IsFolder(attributes) != item.isFolder) return Left(0, kChangedSinceReason);
        } else if (SameState(*item.before, *item.after)) {
            // A rename alone: the rename itself tells whether the old name is free.
            if (!StillAsRenamed(files, item, result)) return result;
        } else {
            // A state is taken back before the name: the old name must be
            // free first, so that no item is left half taken back.
            if (files.GetAttributes(item.pathBefore, attributes)) return Left(kErrorAlreadyExists);
            if (!RestoreState(files, item, item.pathAfter, reach, true, result)) return result;
            // A state as it was before, under the run's new name, is not
            // the item as the run left it, unless the run was cut short
            // between the rename and the update.
            if (result.outcome == Outcome::AlreadyBefore && !outcomeMissing) return Left(0, kChangedSinceReason);
        }
    } else {
        if (!RestoreState(files, item, item.pathAfter, reach, true, result)) return result;
        if (result.outcome == Outcome::AlreadyBefore && item.before) return Left(0, kChangedSinceReason);
        std::string folder, oldName;
        SplitPath(item.pathBefore, folder, oldName);
        FindEntry entry;
        if (files.FindOne(item.pathAfter, entry) && entry.name == oldName) {
            result.outcome = Outcome::AlreadyBefore;
            return result;
        }
    }
    if (!files.Move(item.pathAfter, item.pathBefore)) {
        const uint32_t error = files.LastError();
        // Its state was taken back but its name can't be: it gets the state
        // the run left it with again rather than staying half taken back.
        if (result.trace.written) PutBackAsLeft(files, item, reach);
        return Left(error == kErrorFileExists ? kErrorAlreadyExists : error);
    }
    result.outcome = Outcome::Restored;
    return result;
}

}  // namespace kelvo
