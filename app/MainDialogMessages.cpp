// The main window's message table and the small handlers it routes to.
#include "app/MainDialog.h"

#include <iterator>

#include "platform/WindowMessages.h"
#include "resources/ControlGroups.h"

namespace kelvo {

namespace {
constexpr Reply kDone{true, 1};
}  // namespace

// clang-format off
const MessageRow<MainDialog> MainDialog::messageRows_[] = {
    {kWmSysCommand, kAnyCode, {}, &MainDialog::OnSysCommand},
    {kWmPaint, kAnyCode, {}, &MainDialog::OnPaint},
    {kWmQueryDragIcon, kAnyCode, {}, &MainDialog::OnQueryDragIcon},
    {kWmCommand, kBnClicked, {IDC_CURRENT_DIR}, &MainDialog::OnCurrentDirClicked},
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
    {kWmHelp, kAnyCode, {}, &MainDialog::OnHelp},
    {kWmCommand, kBnClicked, {IDC_ALWAYS_ON_TOP}, &MainDialog::OnAlwaysOnTopClicked},
    {kWmDestroy, kAnyCode, {}, &MainDialog::OnDestroyMessage},
    {kWmCommand, kBnClicked, {IDC_RESET_DATES}, &MainDialog::OnResetClicked},
    {kWmCommand, kBnClicked, {IDC_RENAME_ON}, &MainDialog::OnRenameOnClicked},
    {kWmCommand, kEnUpdate,
     {IDC_EXT_WHAT, IDC_TITLE_WHAT, IDC_EXT_HEAD, IDC_EXT_TAIL, IDC_EXT_WITH, IDC_TITLE_HEAD, IDC_TITLE_TAIL,
      IDC_TITLE_WITH},
     &MainDialog::OnRuleEditUpdate},
    {kWmCommand, kBnClicked, {IDC_RENAME_MODE}, &MainDialog::OnRenameModeClicked},
    {kWmCommand, kBnClicked, {IDC_SAVE_RENAME}, &MainDialog::OnSaveClicked},
    {kWmNotify, kTtnNeedTextW, {}, &MainDialog::OnNeedTipText},
    {kWmTrayIcon, kAnyCode, {}, &MainDialog::OnTrayIcon},
    {kWmDpiChanged, kAnyCode, {}, &MainDialog::OnDpiChanged},
};
// clang-format on

const MessageTable<MainDialog> MainDialog::messageTable{messageRows_, std::size(messageRows_)};

Reply MainDialog::HandleMessage(const Message& m) {
    const MessageRow<MainDialog>* row = messageTable.Find(m);
    if (row == nullptr) return Reply{};
    return (this->*(row->handler))(m);
}

Reply MainDialog::OnSysCommand(const Message& m) {
    if ((m.wParam & 0xFFF0) != kAboutCommand) return Reply{};
    ShowAboutBox();
    return kDone;
}

Reply MainDialog::OnPaint(const Message&) { return Reply{shell_.PaintIconIfMinimised(appIcon_), 0}; }

Reply MainDialog::OnQueryDragIcon(const Message&) { return Reply{true, static_cast<std::intptr_t>(appIcon_)}; }

Reply MainDialog::OnCurrentDirClicked(const Message&) {
    ApplyCurrentDirChoice();
    return kDone;
}

Reply MainDialog::OnDropFiles(const Message& m) {
    TakeDroppedTarget(static_cast<DropHandle>(m.wParam));
    return kDone;
}

Reply MainDialog::OnDateEditUpdate(const Message& m) {
    dateTimePanel_.ValidateDateRow(DateTimePanel::RowOfEdit(m.id));
    return kDone;
}

Reply MainDialog::OnDateBoxClicked(const Message& m) {
    dateTimePanel_.OnRowBoxClicked(DateTimePanel::RowOfBox(m.id));
    return kDone;
}

Reply MainDialog::OnHelp(const Message&) {
    ShowAboutBox();
    return kDone;
}

Reply MainDialog::OnAlwaysOnTopClicked(const Message&) {
    ApplyAlwaysOnTop();
    return kDone;
}

Reply MainDialog::OnDestroyMessage(const Message&) {
    OnDestroy();
    return kDone;
}

Reply MainDialog::OnResetClicked(const Message&) {
    dateTimePanel_.ResetDatesToNow();
    return kDone;
}

Reply MainDialog::OnRenameOnClicked(const Message&) {
    renamePanel_.ApplyRenameEnable();
    return kDone;
}

Reply MainDialog::OnRuleEditUpdate(const Message& m) {
    renamePanel_.OnRuleTextChanged(m.id);
    return kDone;
}

Reply MainDialog::OnRenameModeClicked(const Message&) {
    renamePanel_.ApplyRenameMode();
    return kDone;
}

Reply MainDialog::OnSaveClicked(const Message&) {
    SaveRenameSettings();
    return kDone;
}

Reply MainDialog::OnNeedTipText(const Message& m) {
    // Id 0 is the tip window itself, not a control.
    if (m.id == 0) return Reply{};
    shell_.SetTipText(m.lParam, TipText(m.id));
    return kDone;
}

Reply MainDialog::OnTrayIcon(const Message& m) {
    HandleTrayIconMessage(m.lParam);
    return kDone;
}

// The host hands over the suggested rectangle as a Rect, whatever the
// platform's own rectangle is.
Reply MainDialog::OnDpiChanged(const Message& m) {
    ApplyDpiChange(static_cast<int>(m.wParam & 0xFFFF), *reinterpret_cast<const Rect*>(m.lParam));
    // Left unhandled, so that the platform goes on to rescale the controls and their font.
    return Reply{};
}

}  // namespace kelvo
