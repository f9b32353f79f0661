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
                     bool traced, const ItemState* listed) {
    FileResult result;
    const size_t failuresBefore = context.failures.size();
    if (listed != nullptr) result.trace.before = result.trace.after = *listed;
    if (job.renameEnabled) {
        // The record names the rename with the update that follows it, as
        // the run means to make it, in one line before the file moves.
        RenameStates states;
        if (listed != nullptr) states = {*listed, PlannedState(context, file, job, *listed)};
        result.renamed = RenameItem(context, item, job.renameRules, file.ref, listed != nullptr ? &states : nullptr);
        if (result.renamed) {
            result.changed = true;
            result.newPath = file.ref.path;
        }
    }
    // A refused rename leaves the file under its old name; it still gets its
    // time and attribute changes there. However many of its calls were
    // refused, the file counts once as not changed.
    if (context.stopped) return result;
    if (ChangeItem(context, file, job, traced ? &result.trace : nullptr)) result.changed = true;
    // A rename alone is named by the state the listing gave.
    if (!result.trace.written && listed != nullptr) result.trace.before = result.trace.after = *listed;
    KeepFirstFailure(context.failures, failuresBefore);
    return result;
}

}  // namespace kelvo
