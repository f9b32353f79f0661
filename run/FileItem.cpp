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
    if (context.failures == failuresBefore) {
        if (ChangeItem(context, false, ref.path, ref.dirText, ref.nameText, job.attributeChoices, job.timeEnables,
                       job.creationFields, job.modificationFields, job.accessFields)) {
            result.changed = true;
        }
    }
    if (context.failures > failuresBefore) context.failures = failuresBefore + 1;
    return result;
}

}  // namespace kelvo
