// The main window's message table and the handlers that read the message.
#include "app/MainDialog.h"

#include <iterator>

#include "platform/WindowMessages.h"
#include "resources/ControlGroups.h"

namespace kelvo {

// clang-format off
const MessageRow<MainDialog> MainDialog::messageRows_[] = {
    {kWmSysCommand, kAnyCode, {}, &MainDialog::OnSysCommand},
    {kWmInitMenuPopup, kAnyCode, {}, &MainDialog::OnInitMenuPopup},
    {kWmPaint, kAnyCode, {}, &MainDialog::OnPaint},
    {kWmQueryDragIcon, kAnyCode, {}, &MainDialog::OnQueryDragIcon},
    ClickRuns(IDC_CURRENT_DIR, &MainDialog::ApplyCurrentDirChoice),
    {kWmDropFiles, kAnyCode, {}, &MainDialog::OnDropFiles},
    {kWmCommand, kEnUpdate,
     {IDC_CREATION_DAY, IDC_CREATION_MONTH, IDC_CREATION_YEAR, IDC_CREATION_HOUR, IDC_CREATION_MINUTE,
      IDC_CREATION_SECOND},
     &MainDialog::OnDateEditUpdate},
    {kWmCommand, kEnUpdate,
     {IDC_MODIFIED_YEAR, IDC_MODIFIED_MONTH, IDC_MODIFIED_DAY, IDC_MODIFIED_HOUR, IDC_MODIFIED_MINUTE,
      IDC_MODIFIED_SECOND},
     &MainDialog::OnDateEditUpdate},
    {kWmCommand, kEnUpdate,
     {IDC_ACCESS_YEAR, IDC_ACCESS_MONTH, IDC_ACCESS_DAY, IDC_ACCESS_HOUR, IDC_ACCESS_MINUTE, IDC_ACCESS_SECOND},
     &MainDialog::OnDateEditUpdate},
    {kWmCommand, kBnClicked, {IDC_CREATION_BOX, IDC_MODIFIED_BOX, IDC_ACCESS_BOX}, &MainDialog::OnDateBoxClicked},
    MessageRuns(kWmHelp, &MainDialog::ShowAboutBox),
    ClickRuns(IDC_ALWAYS_ON_TOP, &MainDialog::ApplyAlwaysOnTop),
    MessageRuns(kWmDestroy, &MainDialog::OnDestroy),
    ClickRuns(IDC_RESET_DATES, &MainDialog::ResetDatesToNow),
    ClickRuns(IDC_RENAME_ON, &MainDialog::ApplyRenameEnable),
    {kWmCommand, kEnUpdate,
     {IDC_EXT_WHAT, IDC_TITLE_WHAT, IDC_EXT_HEAD, IDC_EXT_TAIL, IDC_EXT_WITH, IDC_TITLE_HEAD, IDC_TITLE_TAIL,
      IDC_TITLE_WITH},
     &MainDialog::OnRuleEditUpdate},
    ClickRuns(IDC_RENAME_MODE, &MainDialog::ApplyRenameMode),
    ClickRuns(IDC_SAVE_RENAME, &MainDialog::SaveRenameSettings),
    {kWmNotify, kTtnNeedTextW, {}, &MainDialog::OnNeedTipText},
    {kWmTrayIcon, kAnyCode, {}, &MainDialog::OnTrayIcon},
    {kWmDpiChanged, kAnyCode, {}, &MainDialog::OnDpiChanged},
};
// clang-format on

const MessageTable<MainDialog> MainDialog::messageTable{messageRows_, std::size(messageRows_)};

Reply MainDialog::HandleMessage(const Message& m) {
    const MessageRow<MainDialog>* row = messageTable.Find(m);
    if (row == nullptr) return Reply{};
    return row->Dispatch(*this, m);
}

Reply MainDialog::OnSysCommand(const Message& m) {
    switch (m.wParam & 0xFFF0) {
    case kAboutCommand: ShowAboutBox(); return kHandled;
    case kUndoCommand: StartUndo(); return kHandled;
    case kOpenRecordsCommand: OpenRecords(); return kHandled;
    case kPreviewCommand: StartPreview(); return kHandled;
    case kTimeAdjustCommand: StartTimeAdjust(); return kHandled;
    default: return Reply{};
    }
}

// The high word of lParam is set for the system menu. Left unhandled, so
// that the system still sets its own items' states.
Reply MainDialog::OnInitMenuPopup(const Message& m) {
    if (((static_cast<std::uintptr_t>(m.lParam) >> 16) & 0xFFFF) != 0) UpdateRecordMenuNow();
    return Reply{};
}

Reply MainDialog::OnPaint(const Message&) { return Reply{shell_.PaintIconIfMinimised(appIcon_), 0}; }

Reply MainDialog::OnQueryDragIcon(const Message&) { return Reply{true, static_cast<std::intptr_t>(appIcon_)}; }

Reply MainDialog::OnDropFiles(const Message& m) {
    TakeDroppedTarget(static_cast<DropHandle>(m.wParam));
    return kHandled;
}

Reply MainDialog::OnDateEditUpdate(const Message& m) {
    dateTimePanel_.ValidateDateRow(DateTimePanel::RowOfEdit(m.id));
    return kHandled;
}

Reply MainDialog::OnDateBoxClicked(const Message& m) {
    dateTimePanel_.OnRowBoxClicked(DateTimePanel::RowOfBox(m.id));
    return kHandled;
}

Reply MainDialog::OnRuleEditUpdate(const Message& m) {
    renamePanel_.OnRuleTextChanged(m.id);
    return kHandled;
}

Reply MainDialog::OnNeedTipText(const Message& m) {
    // Id 0 is the tip window itself, not a control.
    if (m.id == 0) return Reply{};
    shell_.SetTipText(m.lParam, TipText(m.id));
    return kHandled;
}

Reply MainDialog::OnTrayIcon(const Message& m) {
    HandleTrayIconMessage(m.lParam);
    return kHandled;
}

// The host hands over the suggested rectangle as a Rect, whatever the
// platform's own rectangle is.
Reply MainDialog::OnDpiChanged(const Message& m) {
    ApplyDpiChange(static_cast<int>(m.wParam & 0xFFFF), *reinterpret_cast<const Rect*>(m.lParam));
    // Left unhandled, so that the platform goes on to rescale the controls and their font.
    return Reply{};
}

}  // namespace kelvo
