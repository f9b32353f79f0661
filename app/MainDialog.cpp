// Construction, the initialisation sequence, destruction, always-on-top,
// the notification icon and the settings file hooks of the main window, and
// its sizes at every display scaling.
#include "app/MainDialog.h"

#include <cstdlib>

#include "app/RecordMenu.h"
#include "panels/ControlTips.h"
#include "platform/WindowMessages.h"
#include "resources/ControlGroups.h"

namespace kelvo {

MainDialog::MainDialog(const DialogPlatform& platform, const std::string& exeFolder,
                       const FirstArgument& firstArgument)
    : window_(platform.window),
      shell_(platform.shell),
      files_(platform.files),
      clock_(platform.clock),
      job_(platform.job),
      records_(platform.records),
      exeFolder_(exeFolder),
      firstArgument_(firstArgument),
      worker_(*this, platform.threads, platform.window),
      targetPanel_(platform.window, platform.shell, programFolder_),
      dateTimePanel_(platform.window, platform.clock, initialised_, monthLengthTexts_),
      renamePanel_(platform.window) {
    appIcon_ = shell_.LoadAppIcon();
    // An argument counts even when the program can't hold it: the current
    // directory would be a folder the user never named.
    if (firstArgument_.given) {
        programFolder_ = exeFolder_;
    } else if (!files_.GetCurrentDirectory(programFolder_)) {
        // Without a current directory the lock box falls back on the program's own folder.
        programFolder_ = exeFolder_;
    }
}

bool MainDialog::OnInitDialog() {
    shell_.AddSystemMenuItems(RecordMenuItems());
    shell_.AddAboutItemToSystemMenu();
    UpdateRecordMenu(true, UndoAvailable());
    shell_.SetWindowIcons(appIcon_);
    initialised_ = 1;
    AddTrayIcon();
    shell_.EnableToolTips();
    LoadSettings();
    // Captured before always-on-top can shrink the window to its strip.
    initialWindowRect_ = window_.GetWindowRect();
    initialWindowDpi_ = window_.Dpi();
    window_.SetCheck(IDC_ALWAYS_ON_TOP, std::atoi(settingsLines_[0].c_str()));
    ApplyAlwaysOnTop();
    window_.SetText(IDC_PATH, firstArgument_.given ? firstArgument_.text : programFolder_);
    window_.SetCheck(IDC_CURRENT_DIR, kUnchecked);
    ApplyCurrentDirChoice();
    targetPanel_.SetAttributeStartStates();
    dateTimePanel_.SetLimitsAndRanges();
    dateTimePanel_.ResetDatesToNow();
    // Ticked for the validation only: it fits each day spin to its month.
    for (const DateRowIds& row : kDateRows) window_.SetCheck(row.box, kChecked);
    for (int row = 0; row < 3; ++row) dateTimePanel_.ValidateDateRow(row);
    for (const DateRowIds& row : kDateRows) window_.SetCheck(row.box, kUnchecked);
    for (int row = 0; row < 3; ++row) dateTimePanel_.SetDateRowEditable(kUnchecked, row);
    window_.SetCheck(IDC_RENAME_ON, kUnchecked);
    window_.SetCheck(IDC_RENAME_MODE, std::atoi(settingsLines_[1].c_str()));
    for (int i = 0; i < 8; ++i) window_.SetText(kRenameEdits[i], settingsLines_[2 + i]);
    renamePanel_.ApplyRenameEnable();
    return true;
}

void MainDialog::OnWindowShown() {
    if (firstArgument_.given && firstArgument_.text.empty()) targetPanel_.ReportPathNotExact();
}

void MainDialog::OnDestroy() {
    SaveSettingsAtExit();
    RemoveTrayIcon();
}

void MainDialog::ApplyAlwaysOnTop() {
    const int width = initialWindowRect_.right - initialWindowRect_.left;
    if (window_.GetCheck(IDC_ALWAYS_ON_TOP) == kChecked) {
        window_.SetSizeAndZOrder(true, width, CompactHeight(window_.Dpi()));
        fullView_.store(0, std::memory_order_relaxed);
    } else {
        window_.SetSizeAndZOrder(false, width, initialWindowRect_.bottom - initialWindowRect_.top);
        fullView_.store(1, std::memory_order_relaxed);
    }
}

void MainDialog::ApplyDpiChange(int dpi, const Rect& suggested) {
    const bool full = fullView_.load(std::memory_order_relaxed) == 1;
    initialWindowRect_ = FullRectAfterDpiChange(initialWindowRect_, initialWindowDpi_, dpi, suggested, full);
    initialWindowDpi_ = dpi;
    Rect shown = suggested;
    if (!full) shown.bottom = shown.top + CompactHeight(dpi);
    window_.SetWindowRect(shown);
}

void MainDialog::HandleTrayIconMessage(std::intptr_t mouseMessage) {
    // Only the press toggles, so a double click changes the state once.
    if (mouseMessage != kWmLButtonDown) return;
    const bool ticked = window_.GetCheck(IDC_ALWAYS_ON_TOP) == kChecked;
    window_.SetCheck(IDC_ALWAYS_ON_TOP, ticked ? kUnchecked : kChecked);
    ApplyAlwaysOnTop();
}

void MainDialog::AddTrayIcon() {
    trayIconId_ = kTrayIconId;
    shell_.AddTrayIcon(trayIconId_, appIcon_, kWmTrayIcon, "Kelvo");
}

void MainDialog::RemoveTrayIcon() { shell_.RemoveTrayIcon(trayIconId_); }

void MainDialog::ShowAboutBox() { shell_.ShowAboutBox(); }

std::string MainDialog::TipText(int id) {
    return ControlTip(id, ReadTipState(window_, worker_.Running(), monthLengthTexts_)).text;
}

// Without a folder of its own (the executable's path had no exact form) the
// program keeps its settings in memory: a bare "Kelvo.ini" would be a file
// wherever the current directory happens to be.
void MainDialog::LoadSettings() {
    settingsLines_ = exeFolder_.empty() ? SettingsFile::Defaults() : SettingsFile::Load(files_, SettingsPath());
}

void MainDialog::SaveSettingsAtExit() {
    settingsLines_[0] = std::to_string(window_.GetCheck(IDC_ALWAYS_ON_TOP));
    if (exeFolder_.empty()) return;
    SettingsFile::Store(files_, SettingsPath(), settingsLines_, nullptr);
}

void MainDialog::SaveRenameSettings() {
    if (exeFolder_.empty()) return;
    // The panel's values are taken over only once the file could be opened.
    SettingsFile::Store(files_, SettingsPath(), settingsLines_, [this](SettingsLines& lines) {
        lines[1] = std::to_string(window_.GetCheck(IDC_RENAME_MODE));
        for (int i = 0; i < 8; ++i) lines[2 + i] = window_.GetText(kRenameEdits[i]);
    });
}

}  // namespace kelvo
