// The main window's part in a run: the OK and Cancel commands, the run's
// start, body and end as the worker's host, and which controls a run disables.
#include "app/MainDialog.h"

#include "platform/WindowMessages.h"
#include "resources/ControlGroups.h"

namespace kelvo {

void MainDialog::StartOrCancel() { worker.StartOrCancel(); }

void MainDialog::CancelOrClose() {
    if (!worker.CancelIfRunning()) shell.EndDialog(kIdCancel);
}

void MainDialog::OnRunStart() {
    SetJobControlsEnabled(false);
    window.SetText(IDC_START, kCancelCaption);
}

void MainDialog::RunBody() {
    if (job) {
        RunEnvironment environment{files, clock, window, fullView, worker.CancelFlag()};
        job(environment);
    }
    // However the job ended, the window gets its idle state back.
    worker.EndRun();
}

// On the window's thread (the worker waits). The caption comes last: it
// tells the user the window is ready for the next run, so everything else
// is back by then.
void MainDialog::OnRunEnd() {
    SetJobControlsEnabled(true);
    window.SetText(IDC_START, kStartCaption);
}

void MainDialog::SetJobControlsEnabled(bool enable) {
    window.Enable(IDC_PATH, enable);
    window.Enable(IDC_CURRENT_DIR, enable);
    for (int box : kAttributeBoxes) window.Enable(box, enable);
    window.Enable(IDC_FOLDERS_TOO, enable);
    for (const DateRowIds& row : kDateRows) {
        window.Enable(row.box, enable);
        for (int edit : row.edits) window.Enable(edit, enable);
        for (int spin : row.spins) window.Enable(spin, enable);
    }
    if (enable) {
        for (int row = 0; row < 3; ++row) dateTimePanel.SetDateRowEditable(window.GetCheck(kDateRows[row].box), row);
        for (int row = 0; row < 3; ++row) dateTimePanel.ValidateDateRow(row);
    }
    // The mode toggle and the save button follow the rename switch.
    const bool renameControls = enable && window.GetCheck(IDC_RENAME_ON) == kChecked;
    window.Enable(IDC_RESET_DATES, enable);
    window.Enable(IDC_RENAME_ON, enable);
    window.Enable(IDC_RENAME_MODE, renameControls);
    for (int edit : kRenameEdits) window.Enable(edit, enable);
    window.Enable(IDC_SAVE_RENAME, renameControls);
}

}  // namespace kelvo
