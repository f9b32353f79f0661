// The rename panel: rules on and off, add or delete mode, and the eight rule
// texts from which characters that can't stand in a file name are stripped.
#pragma once
#include <string>

#include "platform/Window.h"

namespace kelvo {

// Removes every backslash, "/", ":", "*", "?", double quote, "<" and ">",
// character by character; returns how many were removed.
int StripNameChars(std::string& text);

class RenamePanel {
public:
    explicit RenamePanel(Window& window);

    // BN_CLICKED of IDC_RENAME_ON, and once at start-up.
    void ApplyRenameEnable();
    // BN_CLICKED of IDC_RENAME_MODE, and from ApplyRenameEnable.
    void ApplyRenameMode();
    // EN_UPDATE of one of the eight rule edits.
    void OnRuleTextChanged(int id);
    // True for the eight rule edits.
    static bool IsRuleEdit(int id);

private:
    Window& window_;
};

}  // namespace kelvo
