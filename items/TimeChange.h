// The time half of an item change: new creation, modification and access
// times from the enabled date rows, blank fields taken from the item's own
// times as its update read them.
#pragma once
#include <cstdint>
#include <string>

#include "items/ItemRecord.h"
#include "items/ItemStatus.h"

namespace kelvo {

enum TimeChangeResult {
    kTimesWritten,     // every enabled row has its new time
    kSomeRowsLeftOut,  // a row was left out, the other enabled rows have their new times
    kAllRowsLeftOut,   // no enabled row could be applied: nothing to write or show
};

// The new times of one item and the report of the rows that have one.
struct TimePlan {
    TimeChangeResult result = kAllRowsLeftOut;
    ItemStatus newStatus;            // the status read, with the new times
    unsigned timeWrites = kWriteNoTimes;  // the rows that have a new time
    std::string report;
    // Where the item is left: the code its record line names, 0 for a row
    // outside what the record's seconds hold.
    uint32_t leftError = 0;
};

// Composes the enabled rows of `job` for the item whose status `status`
// holds. A row that needs an item time the record can't hold (a blank field
// of a time before 1970 or after 2038-01-19), or whose moment lies outside
// that range, is left out for this item.
TimePlan ComposeTimes(Clock& clock, const ItemStatus& status, const ItemJob& job);

}  // namespace kelvo
