// One file of a run: its rename (when renaming is on) and its item change,
// counted at most once among the items that could not be changed.
#pragma once
#include <string>

#include "items/ChangeItem.h"
#include "items/ItemContext.h"
#include "items/ItemRecord.h"
#include "items/RenameRules.h"
#include "run/JobSettings.h"

namespace kelvo {

struct FileResult {
    bool changed = false;  // renamed, or ChangeItem reported a change
    bool renamed = false;
    std::string newPath;   // the path after a rename
    ItemTrace trace;       // what the item change wrote, where it was traced
};

// `file` is the file as the walk or the file mode hands it on; its texts are
// what the reports name when renaming is off. A renamed file is changed
// under its new name. One whose rename was refused keeps its name and
// still gets its time and attribute changes; the refusal counts it as not
// changed unless the new name was taken, which keeps the name silently.
// `traced`: the item change reports what it wrote, for the run's record.
// `listed`: the file's state as its listing gave it, which a rename alone
// is recorded with. Nothing is done once context.stopped is set.
FileResult TreatFile(ItemContext& context, const JobSettings& job, const ItemPath& item, ItemRecord file,
                     bool traced = false, const ItemState* listed = nullptr);

// The six texts of a file in `folder` (the folder as a full path).
ItemPath MakeItemPath(const std::string& folder, const std::string& name);

}  // namespace kelvo
