// One file of a run: its rename (when renaming is on) and its item change,
// counted at most once among the items that could not be changed.
#pragma once
#include <string>

#include "items/ItemContext.h"
#include "items/RenameRules.h"
#include "run/JobSettings.h"

namespace kelvo {

struct FileResult {
    bool changed = false;  // renamed, or ChangeItem reported a change
    bool renamed = false;
    std::string newPath;   // the path after a rename
};

// `unrenamed` is what the reports name when renaming is off. A file whose
// rename was refused is skipped: its status is not touched.
FileResult TreatFile(ItemContext& context, const JobSettings& job, const ItemPath& item, const ItemRef& unrenamed);

// The six texts of a file in `folder` (the folder as a full path).
ItemPath MakeItemPath(const std::string& folder, const std::string& name);

}  // namespace kelvo
