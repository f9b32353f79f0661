// The main window on the in-memory platform: a window whose edits send
// EN_UPDATE, a shell, a file system with the program's folder and a current
// directory, a clock, threads, and a job the test controls.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "app/MainDialog.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryShell.h"
#include "platform/memory/MemoryThreads.h"
#include "platform/memory/MemoryWindow.h"
#include "platform/WindowMessages.h"
#include "resources/ControlGroups.h"

namespace kelvo {

inline const std::string kExeFolder = "C:\\Tools\\Kelvo\\";
inline const std::string kCurrentDirectory = "D:\\Work";

class MainDialogTest : public ::testing::Test {
protected:
    MainDialogTest() {
        AddProgramAndCurrentFolder(files);
        MarkEdits();
        window.SetCommandHandler([this](int id, int code) {
            if (dialog) dialog->HandleMessage(Command(id, code));
        });
    }
    // A test that stopped half-way must not leave a held job behind.
    ~MainDialogTest() override {
        holdJob = false;
        if (dialog) WaitForIdle();
        threads.JoinAll();
    }

    // The program's folder with the executable, and the current directory.
    static void AddProgramAndCurrentFolder(FaultyMemoryFileSystem& target) {
        target.AddFolder("C:\\Tools\\Kelvo");
        target.AddFile(kExeFolder + "Kelvo.exe");
        target.SetModulePath(kExeFolder + "Kelvo.exe");
        target.AddFolder(kCurrentDirectory);
        target.SetCurrentDirectory(kCurrentDirectory);
    }

    // Every edit of the main window, so EN_UPDATE flows for each as from the real window.
    void MarkEdits() {
        window.MarkEdit(IDC_PATH);
        for (const DateRowIds& row : kDateRows) {
            for (int edit : row.edits) window.MarkEdit(edit);
        }
        for (int edit : kRenameEdits) window.MarkEdit(edit);
    }

    static Message Command(int id, int code) {
        Message m;
        m.message = kWmCommand;
        m.wParam = static_cast<std::uintptr_t>(id) | (static_cast<std::uintptr_t>(code & 0xFFFF) << 16);
        m.id = id;
        m.code = code;
        return m;
    }

    // Constructs the dialog and runs its initialisation, as the modal run does.
    void Open(const std::string& firstArgument = std::string(), const std::string& exeFolder = kExeFolder) {
        Open(FirstArgument(firstArgument), exeFolder);
    }
    void Open(const FirstArgument& firstArgument, const std::string& exeFolder = kExeFolder) {
        dialog = std::make_unique<MainDialog>(
            DialogPlatform{window, shell, files, clock, threads, [this](RunEnvironment& e) { return Job(e); }},
            exeFolder, firstArgument);
        ASSERT_TRUE(dialog->OnInitDialog());
    }

    // The end of the window (WM_DESTROY), which stores the settings file.
    void Destroy() {
        Message destroy;
        destroy.message = kWmDestroy;
        dialog->HandleMessage(destroy);
    }

    // The settings file beside the executable, as the file system holds it.
    std::string SettingsFileBytes() {
        std::string bytes;
        EXPECT_TRUE(files.ReadWholeFile(kExeFolder + "Kelvo.ini", bytes));
        return bytes;
    }

    // The job of a run: counts, and while `holdJob` is set waits until the
    // user asks to cancel, as a long walk would.
    RunEnd Job(RunEnvironment& environment) {
        ++jobRuns;
        jobSawFullView = environment.fullView.load();
        jobSawStartEnabled = window.ControlState(IDC_PATH).enabled;
        while (holdJob.load() && !environment.cancelRequested.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return environment.cancelRequested.load() ? RunEnd::Cancelled : RunEnd::Finished;
    }

    // This thread is the window's: it takes the run's end from the worker.
    void WaitForIdle() {
        for (int i = 0; i < 5000 && dialog->Worker().Running(); ++i) {
            if (window.HandleSentWork() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        threads.JoinAll();
    }

    MemoryWindow window;
    MemoryShell shell;
    FaultyMemoryFileSystem files;
    MemoryClock clock{1700000000};
    MemoryThreads threads{MemoryThreads::Mode::Inline};
    std::unique_ptr<MainDialog> dialog;

    std::atomic<int> jobRuns{0};
    std::atomic<bool> holdJob{false};
    std::atomic<int> jobSawFullView{-1};
    std::atomic<bool> jobSawStartEnabled{true};
};

}  // namespace kelvo
