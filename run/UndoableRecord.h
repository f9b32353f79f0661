// Which record an undo takes back: the newest record of a run (not of an
// undo, nor of a preview) that names changed items and is not yet undone,
// in the order of the records' numbers (run/RecordNames.h). Each record is
// read only at its edges, a few header lines from its start and a few
// lines from its end, so finding it is quick on the window's thread however
// long a record is; a run cut short is counted through only on the worker
// (CountChangedItems). Nothing of a record is held. Also the texts the
// window and the worker show about it.
#pragma once
#include <string>

#include "platform/Clock.h"
#include "platform/RecordStore.h"
#include "run/RecordFormat.h"

namespace kelvo {

inline constexpr const char* kUndoQuestionCaption = "確認";
inline constexpr const char* kRecordErrorCaption = "エラー";
inline constexpr const char* kRecordMissingText = "変更記録が見つかりません。";
inline constexpr const char* kRecordInUseText = "この変更記録は別の Kelvo が使用中です。";

struct UndoableRecord {
    std::string name;
    std::string targetTyped;
    std::string targetResolved;
    bool fileMode = false;
    FileTime start = 0;
    // The items the run changed, from its end line; -1 (not known) for a
    // run cut short, which has none: CountChangedItems counts them.
    long changedCount = 0;
};

enum class UndoableFound {
    None,        // no record is left to undo
    Found,
    Unreadable,  // the newest record is of another version of the format, or its header is unsound
    InUse,       // the newest record is held by a writer (another instance's run): its kind can't be known
};

UndoableFound FindUndoableRecord(RecordStore& store, UndoableRecord& found);

// What one record is, as far as its edges tell.
enum class RecordState {
    Other,       // not a record, a preview's or an undo's
    Missing,     // gone since it was listed
    InUse,       // held by a writer
    Unreadable,  // another version of the format, or an unsound header
    Undone,      // a run taken back: its last line is `undone`
    NoChanges,   // a run that changed nothing
    Changed,     // a run that changed items, not undone
};

// The record's state and, for a run, its header and changedCount (-1 where
// it was cut short). A run cut short whose last lines name no item changed
// before its header is reached changed nothing; one whose last lines are
// too many to tell counts as changed, so that it is never lost.
RecordState ReadRecordState(RecordStore& store, const std::string& name, UndoableRecord& record);

// The items a run's record names as changed, read through from its start
// (for the worker): its `changed` lines, and its `changing` lines (an
// item's old state, written before the item is changed) that no `changed`
// line of the same path before follows; a line that doesn't read is not
// counted, as the undo passes it over. -1 where the record can't be read.
long CountChangedItems(RecordStore& store, const std::string& name);

// The question asked before the undo of `record`: its target as typed, its
// start in local time and the number of items it changed.
std::string UndoQuestion(const UndoableRecord& record, Clock& clock);

}  // namespace kelvo
