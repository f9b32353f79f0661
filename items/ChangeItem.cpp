// The per-item entry: the time half (files only), then the attribute half,
// each on its own copy of the status read once at the start. An item whose
// status can't be read, or one of whose writes is refused, is left as it is
// (as far as the writes allow) and counted once in context.failures; so is
// an item whose time row had to be left out, but its other rows and its
// attributes are still changed.
#include "items/ChangeItem.h"

#include <algorithm>

#include "items/AttributeChange.h"
#include "items/ItemStatus.h"
#include "items/TimeChange.h"

namespace kelvo {

namespace {

bool AnyAttributeWanted(const AttributeChoices& choices) {
    return std::any_of(choices.begin(), choices.end(), [](int c) { return c != kLeaveAttribute; });
}

bool AnyTimeWanted(bool isFolder, const TimeEnables& timeEnables) {
    return !isFolder && std::any_of(timeEnables.begin(), timeEnables.end(), [](bool on) { return on; });
}

// The item's status and its whole attribute word, from its listing entry
// or from a look-up of its own.
bool StatusOf(ItemContext& context, const ItemRecord& item, ItemStatus& status, KnownWord& word) {
    if (item.entry == nullptr) return ReadItemStatus(context.files, item.ref.path, status, word);
    status = StatusFromEntry(*item.entry, item.ref.path);
    word = item.entry->attributes;
    return true;
}

}  // namespace

bool ChangeItem(ItemContext& context, const ItemRecord& item, const ItemJob& job) {
    const bool timeWanted = AnyTimeWanted(item.isFolder, job.timeEnables);
    const bool attributesWanted = AnyAttributeWanted(job.attributeChoices);
    if (!timeWanted && !attributesWanted) return false;

    const size_t failuresBefore = context.failures.size();
    uint32_t error = 0;  // the first refused call's
    bool failed = false;
    bool refused = false;
    bool changed = false;
    ItemStatus status;
    KnownWord word;
    if (!StatusOf(context, item, status, word)) {
        failed = true;
        error = context.files.LastError();
    } else {
        if (timeWanted) {
            const TimeChangeResult result = ChangeTimes(context, item.ref, status, job, word);
            switch (result) {
            case kTimesWritten: changed = true; break;
            case kSomeRowsLeftOut: changed = failed = true; break;
            case kAllRowsLeftOut: failed = true; break;
            case kTimesRefused:
                refused = failed = true;
                error = context.files.LastError();
                break;
            }
            // A time write touched the item, so the attribute half reads its
            // word afresh; with every row left out nothing was written.
            if (result != kAllRowsLeftOut) word.reset();
        }
        // A row left out is no reason to leave the attributes alone; only a
        // refused write of the item itself is.
        if (!refused && attributesWanted) {
            AttributeChangeResult result =
                ChangeAttributes(context, item.isFolder, item.ref, status, job.attributeChoices, word);
            if (result == AttributeChangeResult::Refused) {
                failed = true;
                if (error == 0) error = context.files.LastError();
            }
            if (result == AttributeChangeResult::Changed) changed = true;
        }
    }
    // One item is one failure, however many of its calls were refused.
    if (failed) RecordOneFailure(context.failures, failuresBefore, {item.ref.path, error});
    return changed;
}

}  // namespace kelvo
