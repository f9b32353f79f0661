// Taking one changed item of a record back. The item is restored only when
// it is as the run left it: its name, its attribute word, and each time the
// run wrote, as the file system kept them. Then it gets its times and
// attributes back in one update, and its name last. An item already as it
// was before the run is passed over; any other (changed since, gone, its
// old name taken) is left. A wrong record can at worst leave items.
#pragma once
#include <cstdint>
#include <string>

#include "items/ChangeItem.h"
#include "platform/FileSystem.h"
#include "run/RecordFormat.h"

namespace kelvo {

struct UndoResult {
    enum class Outcome { Restored, AlreadyBefore, Left };
    Outcome outcome = Outcome::Left;
    // Left: the system's code where a call was refused, otherwise 0 and a reason.
    uint32_t code = 0;
    std::string reason;
    // Restored: what the undo wrote, for its own record.
    ItemTrace trace;
};

// Why an item is left without a refused call: it changed since the run.
extern const char* const kChangedSinceReason;

UndoResult UndoItem(FileSystem& files, const ChangedItem& item, Reach reach);

}  // namespace kelvo
