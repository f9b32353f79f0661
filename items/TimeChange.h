// The time half of an item change: new creation, modification and access
// times from the enabled date rows, blank fields taken from the item's own times.
#pragma once
#include <string>

#include "items/ItemRecord.h"
#include "items/ItemStatus.h"

namespace kelvo {

enum TimeChangeResult {
    kTimesWritten,     // every enabled row was written
    kSomeRowsLeftOut,  // a row was left out, the other enabled rows were written
    kAllRowsLeftOut,   // no enabled row could be applied: nothing was written or shown
    kTimesRefused,     // the write was refused: the item is as it was
};

// Runs the time half of `job` on the file `item` names, from the status read
// at the start of the item change. `current` is the file's attribute word
// where it is known without a read.
TimeChangeResult ChangeTimes(ItemContext& context, const ItemRef& item, const ItemStatus& status, const ItemJob& job,
                             KnownWord current = std::nullopt);

}  // namespace kelvo
