// The job of one run as read from the main window's controls at its start.
#pragma once
#include <string>

#include "items/DateTimeFields.h"
#include "items/RenameRules.h"
#include "platform/Window.h"

namespace kelvo {

struct JobSettings {
    AttributeChoices attributeChoices{};  // raw box states: 0 clear, 1 set, 2 leave
    bool applyToFolders = false;
    TimeEnables timeEnables{};
    DateTimeFields creationFields;
    DateTimeFields modificationFields;
    DateTimeFields accessFields;
    bool renameEnabled = false;
    RenameRules renameRules;
    std::string targetPath;
};

// Reads every field once, in the order above (targetPath last). Texts are
// taken as they stand.
JobSettings ReadJobSettings(Window& window);

}  // namespace kelvo
