// The time half of an item change: new creation, modification and access
// times from the enabled date rows, blank fields taken from the item's own times.
#pragma once
#include <string>

#include "items/DateTimeFields.h"
#include "items/ItemStatus.h"

namespace kelvo {

enum TimeChangeResult {
    kTimesWritten,     // every enabled row was written
    kSomeRowsLeftOut,  // a row was left out, the other enabled rows were written
    kAllRowsLeftOut,   // no enabled row could be applied: nothing was written or shown
    kTimesRefused,     // the write was refused: the item is as it was
};

// Runs the time half on the status read at the start of the item change.
TimeChangeResult ChangeTimes(ItemContext& context, const ItemStatus& status, const std::string& path,
                             const std::string& dirText, const std::string& nameText,
                             const TimeEnables& timeEnables, const DateTimeFields& creationFields,
                             const DateTimeFields& modificationFields, const DateTimeFields& accessFields);

}  // namespace kelvo
