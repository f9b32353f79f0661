// Where the item operations say what they are about to change, just before
// they change it: a run's record writes the item's old state down first,
// so that a run cut short at any moment leaves every item it changed named
// with the state it had. Answering false keeps the change from being made:
// the record can no longer be written, and the run stops.
#pragma once
#include <string>

#include "platform/FileSystem.h"

namespace kelvo {

class ChangeJournal {
public:
    virtual ~ChangeJournal() = default;
    // A rename of the file `from` to `to`. `state` is the file's state as
    // its listing gave it, and `planned` the state the run means to leave
    // it in after the update that follows the rename (the same where none
    // does).
    virtual bool BeforeRename(const std::string& from, const std::string& to, const ItemState& state,
                              const ItemState& planned) = 0;
    // An update of the item at `path` from `now`, as the open item gives
    // it, to `planned`.
    virtual bool BeforeUpdate(bool isFolder, const std::string& path, const ItemState& now,
                              const ItemState& planned) = 0;
};

}  // namespace kelvo
