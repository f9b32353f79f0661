// Which record an undo takes back: the newest record of a run (not of an
// undo, nor of a preview) that names changed items and is not yet undone.
// A record is read only as far as it is sound; nothing of it is held.
#pragma once
#include <string>

#include "platform/RecordStore.h"
#include "run/RecordFormat.h"

namespace kelvo {

struct UndoableRecord {
    std::string name;
    std::string targetTyped;
    std::string targetResolved;
    bool fileMode = false;
    FileTime start = 0;
    long changedCount = 0;  // the items the run changed
};

enum class UndoableFound {
    None,        // no record is left to undo
    Found,
    Unreadable,  // the newest record is of another version of the format, or its header is unsound
};

UndoableFound FindUndoableRecord(RecordStore& store, UndoableRecord& found);

}  // namespace kelvo
