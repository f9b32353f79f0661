// Which change records are deleted when a new one begins. Two kinds are
// kept apart, each its newest kRecordsKept: the runs that changed items and
// are not yet undone (what an undo may still need), and all other records
// (previews, undos, runs that changed nothing or were undone), so that no
// number of previews or undos pushes an undoable run out. A record held by
// a reader or a writer is never deleted: its delete fails and it stays.
#pragma once
#include <cstddef>
#include <string>

#include "platform/RecordStore.h"

namespace kelvo {

// Deletes the records beyond `kept` of each kind; `begun` (the record just
// begun) counts among the others and is never deleted.
void PruneRecords(RecordStore& store, const std::string& begun, size_t kept);

}  // namespace kelvo
