// The time half of an item change: new creation, modification and access
// times from the enabled date rows, blank fields taken from the item's own times.
#pragma once
#include <string>

#include "items/DateTimeFields.h"
#include "items/ItemStatus.h"

namespace kelvo {

enum TimeChangeResult {
    kTimesWritten,   // the half ran and its writes succeeded
    kTimesRefused,   // a write was refused or a row could not be applied: count the item as failed
};

// Runs the time half on the status read at the start of the item change.
TimeChangeResult ChangeTimes(ItemContext& context, const ItemStatus& status, const std::string& path,
                             const std::string& dirText, const std::string& nameText,
                             const TimeEnables& timeEnables, const DateTimeFields& creationFields,
                             const DateTimeFields& modificationFields, const DateTimeFields& accessFields);

}  // namespace kelvo
