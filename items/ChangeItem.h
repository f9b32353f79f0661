// The per-item entry of a run: the time change (files only) and the
// attribute change of one file or folder, made in one update of the item as
// it is at that moment, with their status reports.
#pragma once

#include "items/ItemContext.h"
#include "items/ItemRecord.h"

namespace kelvo {

// True when a time row or an attribute bit was written. The item is opened
// once: its attribute word and times are read from the open item, the
// choices and rows are applied to them, and everything is written in one
// call. An item that can't be opened or read, whose write is refused, that
// is no longer of the kind the walk listed, or one of whose time rows was
// left out, counts once in context.failures; the other rows and the
// attributes of an item with a left-out row are still written.
// What an item change wrote, for the run's record: the item's state as its
// update read it, and as the file system kept it after the write.
struct ItemTrace {
    bool written = false;
    ItemState before;
    ItemState after;
};

// Where the context has a journal, it is told of the write before it is
// made; where it refuses, nothing is written, context.stopped is set and
// the item is not counted.
bool ChangeItem(ItemContext& context, const ItemRecord& item, const ItemJob& job, ItemTrace* trace = nullptr);

// The state an item has after `change` is written over `now`, as far as
// the write decides it (the file system may keep less).
ItemState StateAfter(const ItemState& now, const ItemChange& change);

// The state ChangeItem would leave an item in that is in `state` now.
ItemState PlannedState(ItemContext& context, const ItemRecord& item, const ItemJob& job, const ItemState& state);

}  // namespace kelvo
