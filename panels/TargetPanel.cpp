#include "panels/TargetPanel.h"

#include "resources/ControlGroups.h"

namespace kelvo {

TargetPanel::TargetPanel(Window& window, Shell& shell, const std::string& programFolder)
    : window_(window), shell_(shell), programFolder_(programFolder) {}

void TargetPanel::ApplyCurrentDirChoice() {
    // The first call, at start-up, adopts whatever the edit was given, so
    // that unticking later brings back the start path.
    if (firstCall_) {
        savedTargetText_ = window_.GetText(IDC_PATH);
        firstCall_ = false;
    }
    if (window_.GetCheck(IDC_CURRENT_DIR) != kChecked) {
        window_.SetText(IDC_PATH, savedTargetText_);
        window_.SetReadOnly(IDC_PATH, false);
        return;
    }
    // Read-only, not disabled: the locked path stays selectable and copyable.
    window_.SetReadOnly(IDC_PATH, true);
    savedTargetText_ = window_.GetText(IDC_PATH);
    window_.SetText(IDC_PATH, programFolder_);
}

void TargetPanel::TakeDroppedTarget(DropHandle drop) {
    if (window_.GetCheck(IDC_CURRENT_DIR) == kChecked) {
        shell_.ReleaseDrop(drop);
        window_.ShowMessageBox(kDropRefusedText, kDropRefusedCaption, kMbOk | kMbIconExclamation);
        return;
    }
    std::string path;
    if (!shell_.TakeFirstDroppedPath(drop, path)) {
        // Any stand-in for the characters would name another item.
        ReportPathNotExact();
        return;
    }
    window_.SetText(IDC_PATH, path);
}

void TargetPanel::ReportPathNotExact() {
    window_.ShowMessageBox(kDropNotExactText, kDropNotExactCaption, kMbOk | kMbIconExclamation);
}

void TargetPanel::SetAttributeStartStates() {
    for (int box : kAttributeBoxes) window_.SetCheck(box, kIndeterminate);
    window_.SetCheck(IDC_FOLDERS_TOO, kUnchecked);
}

}  // namespace kelvo
