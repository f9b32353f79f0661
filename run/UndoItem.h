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

// Why an item is left without a refused call: it changed since the run, or
// its old time is one no file can be given.
extern const char* const kChangedSinceReason;
extern const char* const kUnwritableTimeReason;

// `outcomeMissing`: the item is named by the line written before it was
// changed, and no line tells how the change went (the run was cut short):
// it is taken back from wherever the change had got to, the state as the
// run meant to leave it or its name alone changed.
UndoResult UndoItem(FileSystem& files, const ChangedItem& item, Reach reach, bool outcomeMissing = false);

// A time the undo can write: 0 and the two largest values tell the system
// to leave the time as it is, and a time above the largest positive one is
// none.
bool IsWritableTime(FileTime time);

}  // namespace kelvo
