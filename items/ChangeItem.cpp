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

}  // namespace

bool ChangeItem(ItemContext& context, bool isFolder, const std::string& path, const std::string& dirText,
                const std::string& nameText, const AttributeChoices& attributeChoices,
                const TimeEnables& timeEnables, const DateTimeFields& creationFields,
                const DateTimeFields& modificationFields, const DateTimeFields& accessFields) {
    const bool timeWanted = AnyTimeWanted(isFolder, timeEnables);
    const bool attributesWanted = AnyAttributeWanted(attributeChoices);
    if (!timeWanted && !attributesWanted) return false;

    const int failuresBefore = context.failures;
    bool failed = false;
    bool refused = false;
    bool changed = false;
    ItemStatus status;
    if (!ReadItemStatus(context.files, path, status)) {
        failed = true;
    } else {
        if (timeWanted) {
            switch (ChangeTimes(context, status, path, dirText, nameText, timeEnables, creationFields,
                                modificationFields, accessFields)) {
            case kTimesWritten: changed = true; break;
            case kSomeRowsLeftOut: changed = failed = true; break;
            case kAllRowsLeftOut: failed = true; break;
            case kTimesRefused: refused = failed = true; break;
            }
        }
        // A row left out is no reason to leave the attributes alone; only a
        // refused write of the item itself is.
        if (!refused && attributesWanted) {
            AttributeChangeResult result =
                ChangeAttributes(context, isFolder, status, path, dirText, nameText, attributeChoices);
            if (result == AttributeChangeResult::Refused) failed = true;
            if (result == AttributeChangeResult::Changed) changed = true;
        }
    }
    // One item is one failure, however many of its calls were refused.
    if (failed || context.failures > failuresBefore) context.failures = failuresBefore + 1;
    return changed;
}

}  // namespace kelvo
