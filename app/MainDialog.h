// The main window's logic: its members, construction, the initialisation
// sequence, the message table's handlers, always-on-top, the settings file
// hooks, its part in a run and its destruction. It reaches the window only
// through Window and Shell, so it runs natively against the in-memory
// platform; the Win32 host feeds it the dialog's messages.
#pragma once
#include <array>
#include <atomic>
#include <functional>
#include <string>

#include "app/FirstArgument.h"
#include "app/MessageTable.h"
#include "app/SettingsFile.h"
#include "app/WindowScaling.h"
#include "panels/DateTimePanel.h"
#include "panels/RenamePanel.h"
#include "panels/TargetPanel.h"
#include "panels/TimeAdjustDialog.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/Threads.h"
#include "platform/Window.h"
#include "platform/RecordStore.h"
#include "run/RunJob.h"
#include "run/UndoableRecord.h"
#include "run/WorkerControl.h"
#include "run/WorkerHost.h"

namespace kelvo {

// The body of a run; the program passes RunJob.
using JobFunction = std::function<RunEnd(RunEnvironment&)>;

struct DialogPlatform {
    Window& window;
    Shell& shell;
    FileSystem& files;
    Clock& clock;
    Threads& threads;
    JobFunction job;
    // Where the runs' change records are kept; without it no run has one,
    // and the system menu's record items are greyed.
    RecordStore* records = nullptr;
};

inline constexpr unsigned kTrayIconId = 1;
inline constexpr const char* kSettingsFileName = "Kelvo.ini";
inline constexpr const char* kStartCaption = "一括変更開始(&E)";
inline constexpr const char* kCancelCaption = "キャンセル(&E)";

class MainDialog : private WorkerHost {
public:
    MainDialog(const DialogPlatform& platform, const std::string& exeFolder, const FirstArgument& firstArgument);
    virtual ~MainDialog() = default;
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    // WM_INITDIALOG; true lets the platform focus the first tab stop.
    bool OnInitDialog();
    // Once the window is on screen: tells the user of an argument the
    // program could not take.
    void OnWindowShown();
    // Any other message: the first matching row of the message table handles it.
    Reply HandleMessage(const Message& m);
    // The OK command (button 1, Enter) and the Cancel command (button 2, Escape, close box).
    virtual void StartOrCancel();
    virtual void CancelOrClose();

    // Operations other parts of the window call.
    void ApplyAlwaysOnTop();
    // The window has come to a monitor of `dpi`; the system suggests `suggested` for it.
    void ApplyDpiChange(int dpi, const Rect& suggested);
    void HandleTrayIconMessage(std::intptr_t mouseMessage);
    void ApplyCurrentDirChoice() { targetPanel_.ApplyCurrentDirChoice(); }
    void TakeDroppedTarget(DropHandle drop) { targetPanel_.TakeDroppedTarget(drop); }
    void ResetDatesToNow() { dateTimePanel_.ResetDatesToNow(); }
    void ApplyRenameEnable() { renamePanel_.ApplyRenameEnable(); }
    void ApplyRenameMode() { renamePanel_.ApplyRenameMode(); }
    void LoadSettings();
    void SaveSettingsAtExit();
    void SaveRenameSettings();
    void SetJobControlsEnabled(bool enable);
    void AddTrayIcon();
    void RemoveTrayIcon();
    void ShowAboutBox();
    // The system menu's record items: take the last run back, open the
    // newest record (or the records' folder).
    void StartUndo();
    void OpenRecords();
    // The system menu's preview: a run as button 1 starts it, with nothing
    // changed on disk, whose record is opened at its end.
    void StartPreview();
    // The system menu's time adjust: its dialog, then a run (or a preview)
    // of the job it states in place of the window's.
    void StartTimeAdjust();
    // The tip of a control; empty gives no tip.
    std::string TipText(int id);

    // Read by tests and by the host.
    const std::string& ProgramFolder() const { return programFolder_; }
    int FullView() const { return fullView_.load(std::memory_order_relaxed); }
    const Rect& InitialWindowRect() const { return initialWindowRect_; }
    const SettingsLines& Settings() const { return settingsLines_; }
    int Initialised() const { return initialised_; }
    IconHandle AppIcon() const { return appIcon_; }
    WorkerControl& Worker() { return worker_; }
    const TargetPanel& Target() const { return targetPanel_; }

    // The message table, in routing order.
    static const MessageTable<MainDialog> messageTable;

private:
    static const MessageRow<MainDialog> messageRows_[];

    // Handlers of the rows that read their message; the other rows name an operation.
    Reply OnSysCommand(const Message& m);
    Reply OnInitMenuPopup(const Message& m);
    Reply OnPaint(const Message& m);
    Reply OnQueryDragIcon(const Message& m);
    Reply OnDropFiles(const Message& m);
    Reply OnDateEditUpdate(const Message& m);
    Reply OnDateBoxClicked(const Message& m);
    Reply OnRuleEditUpdate(const Message& m);
    Reply OnNeedTipText(const Message& m);
    Reply OnTrayIcon(const Message& m);
    Reply OnDpiChanged(const Message& m);

    // What the next run of the worker does.
    enum class Work { Run, Undo, Preview };

    // The record items of the system menu, greyed where they can't be used.
    void UpdateRecordMenu(bool idle, bool undoAvailable);
    bool UndoAvailable();
    // As the records are now (another instance may have run since): when the
    // system menu opens.
    void UpdateRecordMenuNow();

    // The run's start, body and end, which the worker calls.
    void OnRunStart() override;
    void RunBody() override;
    void OnRunEnd() override;
    void OnDestroy();
    std::string SettingsPath() const { return exeFolder_ + kSettingsFileName; }

    Window& window_;
    Shell& shell_;
    FileSystem& files_;
    Clock& clock_;
    JobFunction job_;
    RecordStore* records_;
    const std::string exeFolder_;
    const FirstArgument firstArgument_;

    std::string programFolder_;
    std::atomic<int> fullView_{1};
    unsigned trayIconId_ = 0;
    Rect initialWindowRect_;
    int initialWindowDpi_ = kBaseDpi;  // the scaling initialWindowRect_ belongs to
    SettingsLines settingsLines_;
    std::array<std::string, 3> monthLengthTexts_;
    int initialised_ = 0;
    IconHandle appIcon_ = 0;
    WorkerControl worker_;
    Work work_ = Work::Run;
    UndoableRecord undoRecord_;        // the record the undo takes back
    bool undoAskFirst_ = false;        // the worker counts the record's items and asks
    std::string previewRecord_;        // the record a preview wrote
    TimeAdjustChoices adjustChoices_;  // as the time adjust's dialog was left
    bool adjusting_ = false;           // the run is the time adjust's, of adjustJob_
    JobSettings adjustJob_;
    std::atomic<bool> undoAvailable_{false};  // as the worker found it at the end of its run

    TargetPanel targetPanel_;
    DateTimePanel dateTimePanel_;
    RenamePanel renamePanel_;
};

}  // namespace kelvo
