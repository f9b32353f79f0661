// The job of one run as read from the main window's controls at its start,
// or as the time adjust's dialog states it.
#pragma once
#include <string>

#include "items/ItemRecord.h"
#include "items/RenameRules.h"
#include "platform/Window.h"
#include "run/NamePatterns.h"

namespace kelvo {

// The attribute choices, the time enables and the three date rows come
// from ItemJob, so that every item change takes the job as it stands.
struct JobSettings : ItemJob {
    bool applyToFolders = false;
    bool renameEnabled = false;
    RenameRules renameRules;
    std::string targetPath;
    // The files the job takes by name (folders are always walked; with
    // applyToFolders, a folder's own change follows them too). The window
    // takes every name.
    NamePatterns patterns;
};

// Reads every field once: the attribute choices, applyToFolders, the time
// enables and rows, the rename settings, targetPath last. Texts are taken
// as they stand.
JobSettings ReadJobSettings(Window& window);

// The job of a time-adjust run on `targetPath`: only times change, by
// `adjust`, folders too where `foldersToo`; no attribute and no name.
JobSettings TimeAdjustJob(const TimeAdjust& adjust, bool foldersToo, const std::string& targetPath);

}  // namespace kelvo
