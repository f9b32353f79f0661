// Which items of a record an undo may act on: only items below the
// record's resolved target (for a record of one file, that file and its
// rename in the same folder), each reached as the run reached it, never
// through a link or junction on the way down from the target; a rename only
// within one folder, and never of a folder. A line that names anything else
// was not written by the run (a record edited by hand) and is not acted on.
#pragma once
#include <set>
#include <string>

#include "platform/FileSystem.h"
#include "run/RecordFormat.h"

namespace kelvo {

class UndoReach {
public:
    UndoReach(FileSystem& files, const std::string& target, bool fileMode)
        : files_(files), target_(target), fileMode_(fileMode) {}

    bool MayUndo(const ChangedItem& item);
    // A folder whose times the run's renames moved: the folder the renames
    // were in, the target or one below it (for one file, the file's folder).
    bool MayRestoreFolder(const std::string& folder);

private:
    // `path` lies below the target, and every folder between the target
    // and it is a plain folder, no link.
    bool Below(const std::string& path);
    bool PlainFolder(const std::string& folder);

    FileSystem& files_;
    const std::string target_;
    const bool fileMode_;
    // The folders found plain so far, so that each is looked at once.
    std::set<std::string> plain_;
};

}  // namespace kelvo
