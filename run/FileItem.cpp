// Treating one file.
#include "run/FileItem.h"

#include "items/ChangeItem.h"
#include "platform/Cp932Text.h"

namespace kelvo {

ItemPath MakeItemPath(const std::string& folder, const std::string& name) {
    ItemPath item;
    item.directory = folder;
    item.name = name;
    item.separator = SeparatorAfter(folder);
    item.fullPath = folder + item.separator + name;
    SplitName(name, item.title, item.extension);
    return item;
}

FileResult TreatFile(ItemContext& context, const JobSettings& job, const ItemPath& item, ItemRecord file,
                     bool traced) {
    FileResult result;
    const size_t failuresBefore = context.failures.size();
    if (job.renameEnabled) {
        result.renamed = RenameItem(context, item, job.renameRules, file.ref);
        if (result.renamed) {
            result.changed = true;
            result.newPath = file.ref.path;
        }
    }
    // A refused rename leaves the file under its old name; it still gets its
    // time and attribute changes there. However many of its calls were
    // refused, the file counts once as not changed.
    if (ChangeItem(context, file, job, traced ? &result.trace : nullptr)) result.changed = true;
    KeepFirstFailure(context.failures, failuresBefore);
    return result;
}

}  // namespace kelvo
