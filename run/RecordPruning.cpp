// Pruning the change records, newest first, each kind counted apart.
#include "run/RecordPruning.h"

#include "run/RecordNames.h"
#include "run/UndoableRecord.h"

namespace kelvo {

void PruneRecords(RecordStore& store, const std::string& begun, size_t kept) {
    const std::vector<std::string> names = RecordsOldestFirst(store);
    size_t undoable = 0;
    // The record just begun is one of the others: it has changed nothing yet.
    size_t others = 1;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (*name == begun) continue;
        UndoableRecord record;
        const RecordState state = ReadRecordState(store, *name, record);
        // Held or gone: nothing to delete.
        if (state == RecordState::InUse || state == RecordState::Missing) continue;
        size_t& count = state == RecordState::Changed ? undoable : others;
        if (++count > kept) store.Delete(*name);
    }
}

}  // namespace kelvo
