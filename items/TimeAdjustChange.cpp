// An adjusted item's times as one update writes them: only the rows that
// change, each to the 100 ns.
#include "items/TimeAdjustChange.h"

#include <optional>

namespace kelvo {

void PlanAdjustedTimes(const TimeAdjust& adjust, const ItemState& now, TimePlan& plan, ItemChange& change) {
    const ItemTimes own{now.creation, now.modification, now.access};
    ItemTimes result{};
    plan.timeWrites = kWriteNoTimes;
    plan.report.clear();
    if (!AdjustTimes(adjust, own, result)) {
        plan.result = kAllRowsLeftOut;
        plan.leftError = kErrorInvalidTime;
        return;
    }
    const TimeWrite writes[kTimeKindCount] = {kWriteCreation, kWriteModification, kWriteAccess};
    std::optional<FileTime>* fields[kTimeKindCount] = {&change.creation, &change.modification, &change.access};
    for (int kind = 0; kind < kTimeKindCount; ++kind) {
        if (adjust.rules[kind] == TimeRule::Leave) continue;
        *fields[kind] = result[kind];
        plan.timeWrites |= writes[kind];
    }
    plan.result = kTimesWritten;
}

}  // namespace kelvo
