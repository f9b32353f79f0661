// One item as the walk hands it to the item operations, and what the job
// asks of every item's times and attributes.
#pragma once
#include "items/DateTimeFields.h"
#include "items/RenameRules.h"
#include "items/TimeRules.h"
#include "platform/FileSystem.h"

namespace kelvo {

struct ItemRecord {
    bool isFolder = false;
    ItemRef ref;  // the path to work on and the texts the reports name it by
};

// The job's fields that the time and attribute changes of one item use.
struct ItemJob {
    AttributeChoices attributeChoices{};  // raw box states: 0 clear, 1 set, 2 leave
    TimeEnables timeEnables{};
    DateTimeFields creationFields;
    DateTimeFields modificationFields;
    DateTimeFields accessFields;
    // Where it is active, the times come from the item's own by these rules
    // instead of from the date rows, folders included.
    TimeAdjust timeAdjust;
};

}  // namespace kelvo
