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

FileResult TreatFile(ItemContext& context, const JobSettings& job, const ItemPath& item, const ItemRef& unrenamed) {
    FileResult result;
    const int failuresBefore = context.failures;
    ItemRef ref = unrenamed;
    if (job.renameEnabled) {
        result.renamed = RenameItem(context, item, job.renameRules, ref);
        if (result.renamed) {
            result.changed = true;
            result.newPath = ref.path;
        }
    }
    // A refused rename leaves the file under its old name; it still gets its
    // time and attribute changes there, and counts once as not changed.
    if (ChangeItem(context, false, ref.path, ref.dirText, ref.nameText, job.attributeChoices, job.timeEnables,
                   job.creationFields, job.modificationFields, job.accessFields)) {
        result.changed = true;
    }
    if (context.failures > failuresBefore) context.failures = failuresBefore + 1;
    return result;
}

}  // namespace kelvo
