#include "panels/RenamePanel.h"

#include "resources/ControlGroups.h"

namespace kelvo {

// The panel's behaviour is being built; these keep the window usable meanwhile.
int StripNameChars(std::string&) { return 0; }

RenamePanel::RenamePanel(Window& window) : window_(window) {}
void RenamePanel::ApplyRenameEnable() {}
void RenamePanel::ApplyRenameMode() {}
void RenamePanel::OnRuleTextChanged(int) {}

bool RenamePanel::IsRuleEdit(int id) {
    for (int edit : kRenameEdits) {
        if (edit == id) return true;
    }
    return false;
}

}  // namespace kelvo
