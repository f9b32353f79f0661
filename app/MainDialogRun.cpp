// The main window's part in a run: the OK and Cancel commands, the run's
// start, body and end as the worker's host, and which controls a run disables.
#include "app/MainDialog.h"

#include <algorithm>
#include <iterator>

#include "platform/WindowMessages.h"
#include "resources/ControlGroups.h"
#include "run/UndoJob.h"

namespace kelvo {

namespace {

// The controls that can hold the focus and stay enabled through a run;
// a run disables every other one.
constexpr int kFocusableDuringRun[] = {IDC_START, IDC_EXIT, IDC_ALWAYS_ON_TOP};

}  // namespace

void MainDialog::StartOrCancel() { worker_.StartOrCancel(); }

void MainDialog::CancelOrClose() {
    if (!worker_.CancelIfRunning()) shell_.EndDialog(kIdCancel);
}

// A focused control that the run disables would take the focus along and
// leave Enter and Escape reaching no one until the user clicks somewhere;
// button 1 takes it first and keeps it after the run.
void MainDialog::OnRunStart() {
    const int focus = window_.FocusedControl();
    if (focus != 0 && std::find(std::begin(kFocusableDuringRun), std::end(kFocusableDuringRun), focus) ==
                          std::end(kFocusableDuringRun)) {
        window_.MoveFocusTo(IDC_START);
    }
    SetJobControlsEnabled(false);
    window_.SetText(IDC_START, kCancelCaption);
    UpdateRecordMenu(false, false);
}

void MainDialog::RunBody() {
    if (work_ == Work::Undo && records_ != nullptr) {
        UndoEnvironment environment{files_, clock_, window_, fullView_, worker_.CancelFlag(), *records_};
        UndoJob(environment, undoRecord_, undoAskFirst_);
    } else if (job_) {
        RunEnvironment environment{files_, clock_, window_, fullView_, worker_.CancelFlag(), records_};
        environment.preview = work_ == Work::Preview;
        if (environment.preview) environment.recordName = &previewRecord_;
        if (adjusting_) environment.job = &adjustJob_;
        job_(environment);
    }
    // Whether a run is left to take back, found here while the window waits
    // for the worker's end anyway.
    undoAvailable_.store(UndoAvailable(), std::memory_order_relaxed);
    // However the job ended, the window gets its idle state back.
    worker_.EndRun();
}

// On the window's thread (the worker waits). The caption comes last: it
// tells the user the window is ready for the next run, so everything else
// is back by then.
void MainDialog::OnRunEnd() {
    SetJobControlsEnabled(true);
    if (work_ == Work::Preview && records_ != nullptr && !previewRecord_.empty()) records_->Show(previewRecord_);
    work_ = Work::Run;
    adjusting_ = false;
    UpdateRecordMenu(true, undoAvailable_.load(std::memory_order_relaxed));
    window_.SetText(IDC_START, kStartCaption);
}

void MainDialog::SetJobControlsEnabled(bool enable) {
    window_.Enable(IDC_PATH, enable);
    window_.Enable(IDC_CURRENT_DIR, enable);
    for (int box : kAttributeBoxes) window_.Enable(box, enable);
    window_.Enable(IDC_FOLDERS_TOO, enable);
    for (const DateRowIds& row : kDateRows) {
        window_.Enable(row.box, enable);
        for (int edit : row.edits) window_.Enable(edit, enable);
        for (int spin : row.spins) window_.Enable(spin, enable);
    }
    if (enable) {
        for (int row = 0; row < 3; ++row) dateTimePanel_.SetDateRowEditable(window_.GetCheck(kDateRows[row].box), row);
        for (int row = 0; row < 3; ++row) dateTimePanel_.ValidateDateRow(row);
    }
    // The mode toggle and the save button follow the rename switch.
    const bool renameControls = enable && window_.GetCheck(IDC_RENAME_ON) == kChecked;
    window_.Enable(IDC_RESET_DATES, enable);
    window_.Enable(IDC_RENAME_ON, enable);
    window_.Enable(IDC_RENAME_MODE, renameControls);
    for (int edit : kRenameEdits) window_.Enable(edit, enable);
    window_.Enable(IDC_SAVE_RENAME, renameControls);
}

}  // namespace kelvo
