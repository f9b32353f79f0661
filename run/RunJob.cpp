// The body of one run: the job read once, the target decided, then file
// mode here or folder mode in TargetWalk.
#include "run/RunJob.h"

#include "items/ItemStatus.h"
#include "platform/Cp932Text.h"
#include "resources/ResourceIds.h"
#include "run/FileItem.h"
#include "run/JobSettings.h"
#include "run/RunTexts.h"
#include "run/TargetWalk.h"

namespace kelvo {

namespace {

// The current directory is left as it is; the reports name it as the folder
// unless a rename supplies texts of its own.
RunEnd RunFileMode(ItemContext& context, const JobSettings& job) {
    std::string currentDirectory;
    context.files.GetCurrentDirectory(currentDirectory);
    std::string folder, name;
    SplitPath(job.targetPath, folder, name);
    ItemPath item = MakeItemPath(folder, name);
    item.fullPath = job.targetPath;
    const FileResult result =
        TreatFile(context, job, item, ItemRef{job.targetPath, currentDirectory, job.targetPath});
    if (result.renamed) context.window.SetText(IDC_PATH, result.newPath);
    if (context.FullView()) context.ShowFinalStatus(FileFinishedText(job.targetPath, result.changed, context.failures));
    context.window.Beep();
    return RunEnd::Finished;
}

}  // namespace

RunEnd RunJob(RunEnvironment& environment) {
    const JobSettings job = ReadJobSettings(environment.window);
    ItemContext context{environment.files, environment.clock, environment.window, environment.fullView};
    if (environment.files.SetCurrentDirectory(job.targetPath)) {
        TargetWalk walk(context, job, environment.cancelRequested);
        return walk.Run(false);
    }
    ItemStatus status;
    if (!ReadItemStatus(environment.files, job.targetPath, status) || (status.attributes & kAttrDirectory) != 0) {
        environment.window.ShowMessageBox(kTargetRefusedText, kTargetRefusedCaption, kMbIconExclamation | kMbOk);
        return RunEnd::Refused;
    }
    return RunFileMode(context, job);
}

}  // namespace kelvo
