// The per-item entry: one update of the item, which reads its attribute word
// and times from the open item and writes the new ones in the same call, so
// nothing another program changed since the folder was listed is undone or
// missed. The time half (files only) and the attribute half are decided
// from that one read; their texts follow in the order the two halves show
// them.
#include "items/ChangeItem.h"

#include <algorithm>

#include "items/AttributeChange.h"
#include "items/ItemReport.h"
#include "items/ItemStatus.h"
#include "items/TimeChange.h"
#include "items/TimeAdjustChange.h"

namespace kelvo {

namespace {

bool AnyAttributeWanted(const AttributeChoices& choices) {
    return std::any_of(choices.begin(), choices.end(), [](int c) { return c != kLeaveAttribute; });
}

bool AnyTimeWanted(bool isFolder, const ItemJob& job) {
    // Folders get times from a time adjust alone: the walk hands them on
    // only where the user asked for folders too.
    if (job.timeAdjust.Active()) return true;
    return !isFolder && std::any_of(job.timeEnables.begin(), job.timeEnables.end(), [](bool on) { return on; });
}

// What the update decided from the item's state at that moment.
struct ItemPlan {
    bool read = false;       // the update got as far as reading the item
    bool otherKind = false;  // a folder stands where a file was listed, or the other way round
    ItemStatus status;       // as read
    TimePlan times;          // the new times, where the job wants times
    bool attributesChange = false;
    uint8_t newAttributes = 0;
    std::string attributeReport;
};

void Decide(Clock& clock, const ItemRecord& item, const ItemJob& job, bool timeWanted, bool attributesWanted,
            const ItemState& now, ItemPlan& plan, ItemChange& change) {
    plan.read = true;
    if (((now.attributes & kAttrDirectory) != 0) != item.isFolder) {
        plan.otherKind = true;
        return;
    }
    plan.status = StatusFromState(now, item.ref.path);
    if (timeWanted && job.timeAdjust.Active()) {
        PlanAdjustedTimes(job.timeAdjust, now, plan.times, change);
    } else if (timeWanted) {
        plan.times = ComposeTimes(clock, plan.status, job);
        const unsigned writes = plan.times.timeWrites;
        if (writes & kWriteCreation) change.creation = SecondsToTicks(plan.times.newStatus.creation);
        if (writes & kWriteAccess) change.access = SecondsToTicks(plan.times.newStatus.access);
        if (writes & kWriteModification) change.modification = SecondsToTicks(plan.times.newStatus.modification);
    }
    // An attribute change writes exactly the new byte; a change of times
    // alone leaves the whole word as it is.
    if (attributesWanted) {
        plan.attributesChange = ApplyAttributeChoices(plan.status.attributes, job.attributeChoices,
                                                      plan.newAttributes, plan.attributeReport);
        if (plan.attributesChange) change.attributes = plan.newAttributes;
    }
}

// Where the system won't let the update write a read-only file's times,
// the file is written by separate calls as before: read-only off, the
// times, read-only back on.
bool NeedsSeparateWrites(const ItemPlan& plan, uint32_t error) {
    return plan.read && !plan.otherKind && error == kErrorAccessDenied && plan.times.timeWrites != kWriteNoTimes &&
           (plan.status.attributes & kAttrReadOnly) != 0;
}

bool WriteBySeparateCalls(ItemContext& context, const ItemRef& ref, const ItemPlan& plan) {
    ItemStatus status = plan.times.newStatus;
    unsigned writes = plan.times.timeWrites;
    if (plan.attributesChange) {
        status.attributes = plan.newAttributes;
    } else {
        writes |= kKeepAttributeWord;
    }
    return WriteItemStatus(context, ref.path, status, writes);
}

// The texts of a written item: the time half's, then the attribute half's,
// each "変更しました。" followed by its report.
void ShowReports(ItemContext& context, const ItemRef& ref, const ItemJob& job, const ItemPlan& plan) {
    if (plan.times.timeWrites != kWriteNoTimes && job.timeAdjust.Active()) {
        if (context.FullView()) context.ShowStatus(AdjustedText(ref.dirText, ref.nameText));
    } else if (plan.times.timeWrites != kWriteNoTimes) {
        if (context.FullView()) context.ShowStatus("変更しました。");
        if (context.FullView()) context.ShowStatus(BuildItemReport(ref.dirText, ref.nameText, plan.times.report));
    }
    if (plan.attributesChange) {
        if (context.FullView()) context.ShowStatus("変更しました。");
        if (context.FullView()) context.ShowStatus(BuildItemReport(ref.dirText, ref.nameText, plan.attributeReport));
    }
}

}  // namespace

ItemState StateAfter(const ItemState& now, const ItemChange& change) {
    ItemState after = now;
    if (change.attributes) after.attributes = AttributesAfterWrite(now.attributes, *change.attributes);
    if (change.creation) after.creation = *change.creation;
    if (change.access) after.access = *change.access;
    if (change.modification) after.modification = *change.modification;
    return after;
}

ItemState PlannedState(ItemContext& context, const ItemRecord& item, const ItemJob& job, const ItemState& state) {
    const bool timeWanted = AnyTimeWanted(item.isFolder, job);
    const bool attributesWanted = AnyAttributeWanted(job.attributeChoices);
    if (!timeWanted && !attributesWanted) return state;
    ItemPlan plan;
    ItemChange change;
    Decide(context.clock, item, job, timeWanted, attributesWanted, state, plan, change);
    return plan.otherKind ? state : StateAfter(state, change);
}

bool ChangeItem(ItemContext& context, const ItemRecord& item, const ItemJob& job, ItemTrace* trace) {
    const bool timeWanted = AnyTimeWanted(item.isFolder, job);
    const bool attributesWanted = AnyAttributeWanted(job.attributeChoices);
    if (!timeWanted && !attributesWanted) return false;
    if (context.stopped) return false;

    ItemPlan plan;
    ItemState before;
    bool anyWrite = false;
    const ItemOpening opening{context.reach, timeWanted};
    ItemState* after = trace != nullptr ? &trace->after : nullptr;
    bool written = context.files.UpdateItem(item.ref.path, opening, [&](const ItemState& now, ItemChange& change) {
        before = now;
        Decide(context.clock, item, job, timeWanted, attributesWanted, now, plan, change);
        anyWrite = !change.Empty();
        // The old state is written down before the item changes.
        if (anyWrite && !plan.otherKind && context.journal != nullptr &&
            !context.journal->BeforeUpdate(item.isFolder, item.ref.path, now, StateAfter(now, change))) {
            context.stopped = true;
            anyWrite = false;
        }
        return anyWrite;
    }, after);
    if (context.stopped) return false;
    uint32_t error = written ? 0 : context.files.LastError();
    // The separate calls write the record's whole seconds: an adjusted time
    // keeps its 100 ns only through the update, and is otherwise left.
    if (!written && !job.timeAdjust.Active() && NeedsSeparateWrites(plan, error)) {
        written = WriteBySeparateCalls(context, item.ref, plan);
        error = written ? 0 : context.files.LastError();
        // What the file system kept, looked up; where that fails, the state
        // read stands, which an undo never takes for the item as written.
        FindEntry entry;
        if (written && after != nullptr) {
            *after = context.files.FindOne(item.ref.path, entry)
                         ? ItemState{entry.attributes, entry.creation, entry.access, entry.modification}
                         : before;
        }
    }
    if (trace != nullptr) {
        trace->written = written && anyWrite && !plan.otherKind;
        trace->before = before;
    }

    bool failed = !written;
    bool changed = false;
    if (written && plan.otherKind) {
        // The item listed is gone; what stands in its place is not the walk's to change.
        failed = true;
        error = kErrorFileNotFound;
    } else if (written) {
        ShowReports(context, item.ref, job, plan);
        changed = plan.times.timeWrites != kWriteNoTimes || plan.attributesChange;
        // A row left out leaves the item not quite as asked.
        if (timeWanted && plan.times.result != kTimesWritten) {
            failed = true;
            error = plan.times.leftError;
        }
    }
    // One item is one failure, however many of its calls were refused.
    if (failed) context.failures.push_back({item.ref.path, error, {}});
    return changed;
}

}  // namespace kelvo
