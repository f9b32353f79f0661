// The run's record as the journal of its item changes: each item's old
// state, and the state the run means to leave it in, reach the record file
// in one write just before the item changes (with the outcome of the item
// before it, held until then). Before the first rename in a folder the
// folder's own state is written down too, and after the folder's last
// rename its state then, since renames move a folder's modification time
// and only the record can give it back. A write the file refuses stops
// every later change.
#pragma once
#include <string>

#include "items/ChangeJournal.h"
#include "platform/FileSystem.h"
#include "run/RecordFormat.h"
#include "run/RunRecord.h"

namespace kelvo {

class RecordJournal : public ChangeJournal {
public:
    RecordJournal(RunRecord& record, FileSystem& files) : record_(record), files_(files) {}

    bool BeforeRename(const std::string& from, const std::string& to, const ItemState& state,
                      const ItemState& planned) override;
    bool BeforeUpdate(bool isFolder, const std::string& path, const ItemState& now, const ItemState& planned) override;

    // The renames in `folder` are over: where it had any, its state now is
    // written down (with the next write).
    void FolderDone(const std::string& folder);

private:
    bool Journal(const ChangedItem& item);

    RunRecord& record_;
    FileSystem& files_;
    // The folder whose state before its renames is written down, until its
    // state after them is.
    std::string noted_;
    // The last item written down, whose update a rename's line already named.
    ChangedItem last_;
};

}  // namespace kelvo
