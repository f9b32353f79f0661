// The main window's part in the change records: the undo, the preview and
// the time adjust from the system menu, run like a run on the worker
// thread, and the opening of a record.
#include "app/MainDialog.h"
#include "app/RecordMenu.h"
#include "platform/WindowMessages.h"
#include "resources/ResourceIds.h"
#include "run/RecordNames.h"

namespace kelvo {

// The undo, the preview and the time adjust are greyed while a run goes, the undo also while
// no run is left to take back; a record that can't be read, or that another
// instance holds, still leaves it usable, so that the user learns why
// nothing is undone.
void MainDialog::UpdateRecordMenu(bool idle, bool undoAvailable) {
    shell_.EnableSystemMenuItem(kUndoCommand, idle && undoAvailable);
    shell_.EnableSystemMenuItem(kPreviewCommand, idle);
    shell_.EnableSystemMenuItem(kTimeAdjustCommand, idle);
}

// Reads only the records' edges, never a record through: quick enough for
// the window's thread whatever their length.
bool MainDialog::UndoAvailable() {
    UndoableRecord record;
    return records_ != nullptr && FindUndoableRecord(*records_, record) != UndoableFound::None;
}

void MainDialog::UpdateRecordMenuNow() {
    const bool idle = !worker_.Running();
    UpdateRecordMenu(idle, idle && UndoAvailable());
}

// However the command comes (another program can send it), it does nothing
// while a run goes or when no run is left to take back. A run cut short has
// no count of its items: the worker counts them and asks, the window never
// reads a record through.
void MainDialog::StartUndo() {
    if (records_ == nullptr || worker_.Running()) return;
    UndoableRecord record;
    switch (FindUndoableRecord(*records_, record)) {
    case UndoableFound::None: return;
    case UndoableFound::Unreadable:
        window_.ShowMessageBox(kRecordUnreadableText, kRecordUnreadableCaption, kMbOk | kMbIconExclamation);
        return;
    case UndoableFound::InUse:
        window_.ShowMessageBox(kRecordInUseText, kRecordErrorCaption, kMbOk | kMbIconExclamation);
        return;
    case UndoableFound::Found: break;
    }
    const bool askFirst = record.changedCount < 0;
    if (!askFirst && window_.ShowMessageBox(UndoQuestion(record, clock_), kUndoQuestionCaption,
                                            kMbYesNo | kMbIconQuestion) != kIdYes) {
        return;
    }
    if (worker_.Running()) return;
    work_ = Work::Undo;
    undoRecord_ = record;
    undoAskFirst_ = askFirst;
    worker_.StartOrCancel();
}

void MainDialog::StartPreview() {
    if (worker_.Running()) return;
    work_ = Work::Preview;
    previewRecord_.clear();
    worker_.StartOrCancel();
}

void MainDialog::StartTimeAdjust() {
    if (worker_.Running()) return;
    const std::string target = window_.GetText(IDC_PATH);
    TimeAdjustDialog dialog(target, window_.GetCheck(IDC_FOLDERS_TOO) == kChecked, adjustChoices_);
    const int result = shell_.RunDialog(IDD_TIME_ADJUST, dialog);
    if ((result != kIdOk && result != TimeAdjustDialog::kPreviewResult) || worker_.Running()) return;
    adjustJob_ = TimeAdjustJob(dialog.Adjust(), dialog.FoldersToo(), target);
    adjusting_ = true;
    work_ = result == kIdOk ? Work::Run : Work::Preview;
    previewRecord_.clear();
    worker_.StartOrCancel();
}

void MainDialog::OpenRecords() {
    if (records_ == nullptr) return;
    const std::vector<std::string> names = RecordsOldestFirst(*records_);
    records_->Show(names.empty() ? std::string() : names.back());
}

}  // namespace kelvo
