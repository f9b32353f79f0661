// The main window's message boxes for what a run has to say or ask.
#include "run/WindowRunSink.h"

#include "resources/ResourceIds.h"
#include "run/RunTexts.h"
#include "run/UndoableRecord.h"

namespace kelvo {

void WindowRunSink::TargetRefused() {
    window_.ShowMessageBox(kTargetRefusedText, kTargetRefusedCaption, kMbIconExclamation | kMbOk);
}

bool WindowRunSink::GoOnWithoutRecord() {
    return window_.ShowMessageBox(kNoRecordText, kNoRecordCaption, kMbYesNo | kMbIconWarning) == kIdYes;
}

void WindowRunSink::RecordWriteFailed() {
    window_.ShowMessageBox(kRecordWriteFailedText, kRecordWriteFailedCaption, kMbOk | kMbIconExclamation);
}

void WindowRunSink::RecordUnavailable(bool inUse) {
    window_.ShowMessageBox(inUse ? kRecordInUseText : kRecordMissingText, kRecordErrorCaption,
                           kMbOk | kMbIconExclamation);
}

bool WindowRunSink::ConfirmUndo(const std::string& question) {
    return window_.ShowMessageBox(question, kUndoQuestionCaption, kMbYesNo | kMbIconQuestion) == kIdYes;
}

void WindowRunSink::UndoneUnmarked() {
    window_.ShowMessageBox(kUndoneUnmarkedText, kRecordErrorCaption, kMbOk | kMbIconExclamation);
}

void WindowRunSink::TargetRenamed(const std::string& newPath) { window_.SetText(IDC_PATH, newPath); }

}  // namespace kelvo
