// Reading the job from the controls.
#include "run/JobSettings.h"

#include "resources/ControlGroups.h"

namespace kelvo {

namespace {

DateTimeFields ReadDateRow(Window& window, const DateRowIds& row) {
    DateTimeFields fields;
    for (int i = 0; i < kDateFieldCount; ++i) fields.texts[i] = window.GetText(row.edits[i]);
    return fields;
}

RenameRules ReadRenameRules(Window& window) {
    RenameRules rules;
    // The toggle is pushed in any state other than 0.
    rules.mode = window.GetCheck(IDC_RENAME_MODE) == kUnchecked ? 0 : 1;
    std::string* texts[8] = {&rules.titleHead, &rules.titleTail, &rules.extHead,   &rules.extTail,
                             &rules.titleWhat, &rules.titleWith, &rules.extWhat, &rules.extWith};
    for (int i = 0; i < 8; ++i) *texts[i] = window.GetText(kRenameEdits[i]);
    return rules;
}

}  // namespace

JobSettings ReadJobSettings(Window& window) {
    JobSettings job;
    for (size_t i = 0; i < job.attributeChoices.size(); ++i) {
        job.attributeChoices[i] = window.GetCheck(kAttributeBoxes[i]);
    }
    job.applyToFolders = window.GetCheck(IDC_FOLDERS_TOO) == kChecked;
    for (size_t i = 0; i < job.timeEnables.size(); ++i) {
        job.timeEnables[i] = window.GetCheck(kDateRows[i].box) == kChecked;
    }
    job.creationFields = ReadDateRow(window, kDateRows[0]);
    job.modificationFields = ReadDateRow(window, kDateRows[1]);
    job.accessFields = ReadDateRow(window, kDateRows[2]);
    job.renameEnabled = window.GetCheck(IDC_RENAME_ON) == kChecked;
    job.renameRules = ReadRenameRules(window);
    job.targetPath = window.GetText(IDC_PATH);
    return job;
}

JobSettings TimeAdjustJob(const TimeAdjust& adjust, bool foldersToo, const std::string& targetPath) {
    JobSettings job;
    job.attributeChoices = {kLeaveAttribute, kLeaveAttribute, kLeaveAttribute, kLeaveAttribute};
    job.timeAdjust = adjust;
    job.applyToFolders = foldersToo;
    job.targetPath = targetPath;
    return job;
}

}  // namespace kelvo
