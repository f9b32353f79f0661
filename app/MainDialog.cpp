// Construction, the initialisation sequence, destruction, always-on-top,
// the notification icon and the settings file hooks of the main window, and
// its sizes at every display scaling.
#include "app/MainDialog.h"

#include <cstdlib>

#include "panels/ControlTips.h"
#include "platform/WindowMessages.h"
#include "resources/ControlGroups.h"

namespace kelvo {

MainDialog::MainDialog(const DialogPlatform& platform, const std::string& exeFolder,
                       const std::string& firstArgument)
    : window(platform.window),
      shell(platform.shell),
      files(platform.files),
      clock(platform.clock),
      job(platform.job),
      exeFolder(exeFolder),
      firstArgument(firstArgument),
      worker(*this, platform.threads, platform.window),
      targetPanel(platform.window, platform.shell, programFolder),
      dateTimePanel(platform.window, platform.clock, initialised, monthLengthTexts),
      renamePanel(platform.window) {
    appIcon = shell.LoadAppIcon();
    if (!firstArgument.empty()) {
        programFolder = exeFolder;
    } else if (!files.GetCurrentDirectory(programFolder)) {
        // Without a current directory the lock box falls back on the program's own folder.
        programFolder = exeFolder;
    }
}

bool MainDialog::OnInitDialog() {
    shell.AddAboutItemToSystemMenu();
    shell.SetWindowIcons(appIcon);
    initialised = 1;
    AddTrayIcon();
    shell.EnableToolTips();
    LoadSettings();
    // Captured before always-on-top can shrink the window to its strip.
    initialWindowRect = window.GetWindowRect();
    initialWindowDpi = window.Dpi();
    window.SetCheck(IDC_ALWAYS_ON_TOP, std::atoi(settingsLines[0].c_str()));
    ApplyAlwaysOnTop();
    window.SetText(IDC_PATH, firstArgument.empty() ? programFolder : firstArgument);
    window.SetCheck(IDC_CURRENT_DIR, kUnchecked);
    ApplyCurrentDirChoice();
    targetPanel.SetAttributeStartStates();
    dateTimePanel.SetLimitsAndRanges();
    dateTimePanel.ResetDatesToNow();
    // Ticked for the validation only: it fits each day spin to its month.
    for (const DateRowIds& row : kDateRows) window.SetCheck(row.box, kChecked);
    for (int row = 0; row < 3; ++row) dateTimePanel.ValidateDateRow(row);
    for (const DateRowIds& row : kDateRows) window.SetCheck(row.box, kUnchecked);
    for (int row = 0; row < 3; ++row) dateTimePanel.SetDateRowEditable(kUnchecked, row);
    window.SetCheck(IDC_RENAME_ON, kUnchecked);
    window.SetCheck(IDC_RENAME_MODE, std::atoi(settingsLines[1].c_str()));
    for (int i = 0; i < 8; ++i) window.SetText(kRenameEdits[i], settingsLines[2 + i]);
    renamePanel.ApplyRenameEnable();
    return true;
}

void MainDialog::OnDestroy() {
    SaveSettingsAtExit();
    RemoveTrayIcon();
}

void MainDialog::ApplyAlwaysOnTop() {
    const int width = initialWindowRect.right - initialWindowRect.left;
    if (window.GetCheck(IDC_ALWAYS_ON_TOP) == kChecked) {
        window.SetSizeAndZOrder(true, width, CompactHeight(window.Dpi()));
        fullView.store(0, std::memory_order_relaxed);
    } else {
        window.SetSizeAndZOrder(false, width, initialWindowRect.bottom - initialWindowRect.top);
        fullView.store(1, std::memory_order_relaxed);
    }
}

void MainDialog::ApplyDpiChange(int dpi, const Rect& suggested) {
    const bool full = fullView.load(std::memory_order_relaxed) == 1;
    initialWindowRect = FullRectAfterDpiChange(initialWindowRect, initialWindowDpi, dpi, suggested, full);
    initialWindowDpi = dpi;
    Rect shown = suggested;
    if (!full) shown.bottom = shown.top + CompactHeight(dpi);
    window.SetWindowRect(shown);
}

void MainDialog::HandleTrayIconMessage(std::intptr_t mouseMessage) {
    // Only the press toggles, so a double click changes the state once.
    if (mouseMessage != kWmLButtonDown) return;
    const bool ticked = window.GetCheck(IDC_ALWAYS_ON_TOP) == kChecked;
    window.SetCheck(IDC_ALWAYS_ON_TOP, ticked ? kUnchecked : kChecked);
    ApplyAlwaysOnTop();
}

void MainDialog::AddTrayIcon() {
    trayIconId = kTrayIconId;
    shell.AddTrayIcon(trayIconId, appIcon, kWmTrayIcon, "Kelvo");
}

void MainDialog::RemoveTrayIcon() { shell.RemoveTrayIcon(trayIconId); }

void MainDialog::ShowAboutBox() { shell.ShowAboutBox(); }

std::string MainDialog::TipText(int id) {
    return ControlTip(id, ReadTipState(window, worker.Running(), monthLengthTexts)).text;
}

// Without a folder of its own (the executable's path had no exact form) the
// program keeps its settings in memory: a bare "Kelvo.ini" would be a file
// wherever the current directory happens to be.
void MainDialog::LoadSettings() {
    settingsLines = exeFolder.empty() ? SettingsFile::Defaults() : SettingsFile::Load(files, SettingsPath());
}

void MainDialog::SaveSettingsAtExit() {
    settingsLines[0] = std::to_string(window.GetCheck(IDC_ALWAYS_ON_TOP));
    if (exeFolder.empty()) return;
    SettingsFile::Store(files, SettingsPath(), settingsLines, nullptr);
}

void MainDialog::SaveRenameSettings() {
    if (exeFolder.empty()) return;
    // The panel's values are taken over only once the file could be opened.
    SettingsFile::Store(files, SettingsPath(), settingsLines, [this](SettingsLines& lines) {
        lines[1] = std::to_string(window.GetCheck(IDC_RENAME_MODE));
        for (int i = 0; i < 8; ++i) lines[2 + i] = window.GetText(kRenameEdits[i]);
    });
}

}  // namespace kelvo
