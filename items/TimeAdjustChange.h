// The time half of an item change for a time-adjust job: the rules of
// TimeRules applied to the times the item's update read.
#pragma once
#include "items/TimeChange.h"
#include "items/TimeRules.h"
#include "platform/FileSystem.h"

namespace kelvo {

// The times to write into `change`, and in `plan` which rows have one, or
// that the item is left (with kErrorInvalidTime, as its record line names it).
void PlanAdjustedTimes(const TimeAdjust& adjust, const ItemState& now, TimePlan& plan, ItemChange& change);

}  // namespace kelvo
