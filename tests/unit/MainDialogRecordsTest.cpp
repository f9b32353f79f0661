// The change records from the main window: the system menu's items, the
// undo greyed while a run goes and while no run is left to take back, the
// undo asked for and run like a run, a record that can't be read, and the
// opening of the newest record or of the records' folder.
#include <gtest/gtest.h>

#include "platform/memory/MemoryRecordStore.h"
#include "tests/unit/MainDialogTestFixture.h"

namespace kelvo {
namespace {

constexpr unsigned kUndo = 0x0020;
constexpr unsigned kOpenRecords = 0x0030;
constexpr unsigned kPreview = 0x0040;
constexpr unsigned kTimeAdjust = 0x0050;

class MainDialogRecordsTest : public MainDialogTest {
protected:
    MainDialogRecordsTest() {
        files.AddFile("D:\\T\\a.txt");
        files.AddFile("D:\\T\\b.txt");
    }
    void OpenWithRecords() {
        dialog = std::make_unique<MainDialog>(
            DialogPlatform{window, shell, files, clock, threads, [](RunEnvironment& e) { return RunJob(e); }, &records},
            kExeFolder, FirstArgument("D:\\T"));
        ASSERT_TRUE(dialog->OnInitDialog());
    }
    Reply SysCommand(unsigned command) {
        Message m;
        m.message = kWmSysCommand;
        m.wParam = command;
        return dialog->HandleMessage(m);
    }
    // A run hiding every file of D:\T, started with button 1.
    void RunHidden() {
        window.SetCheck(IDC_HIDDEN, kChecked);
        dialog->StartOrCancel();
        WaitForIdle();
        window.SetCheck(IDC_HIDDEN, kIndeterminate);
    }
    uint32_t Attributes(const char* path) { return files.Find(path)->attributes; }

    MemoryRecordStore records;
};

TEST_F(MainDialogRecordsTest, SystemMenuGetsTheRecordItemsBeforeTheAboutItem) {
    OpenWithRecords();
    const std::vector<SystemMenuItem> items = shell.SystemMenuItems();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].id, 0u);
    EXPECT_EQ(items[1].id, kUndo);
    EXPECT_EQ(items[1].text, "直前の一括変更を元に戻す(&U)");
    EXPECT_EQ(items[2].id, kPreview);
    EXPECT_EQ(items[2].text, "変更内容を確認(&V)...");
    EXPECT_EQ(items[3].id, kTimeAdjust);
    EXPECT_EQ(items[3].text, "日時を調整(&T)...");
    EXPECT_EQ(items[4].id, kOpenRecords);
    EXPECT_EQ(items[4].text, "変更記録を開く(&L)...");
    // Nothing to take back yet.
    EXPECT_FALSE(shell.SystemMenuItemEnabled(kUndo));
    EXPECT_TRUE(shell.SystemMenuItemEnabled(kPreview));
    EXPECT_TRUE(shell.SystemMenuItemEnabled(kTimeAdjust));
    EXPECT_TRUE(shell.SystemMenuItemEnabled(kOpenRecords));
}

TEST_F(MainDialogRecordsTest, UndoIsAskedForAndTakesTheRunBack) {
    clock.SetNow(1765261800);  // 2025-12-09 06:30:00 UTC; the clock's zone is UTC
    OpenWithRecords();
    RunHidden();
    ASSERT_EQ(Attributes("D:\\T\\a.txt"), kAttrArchive | kAttrHidden);
    EXPECT_TRUE(shell.SystemMenuItemEnabled(kUndo));

    window.AnswerMessageBoxes(kIdNo);
    EXPECT_TRUE(SysCommand(kUndo).handled);
    ASSERT_EQ(window.MessageBoxes().size(), 1u);
    EXPECT_EQ(window.MessageBoxes()[0].text,
              "\"D:\\T\" への一括変更 (2025/12/09 06:30:00、2項目) を元に戻しますか?");
    EXPECT_EQ(window.MessageBoxes()[0].caption, "確認");
    EXPECT_EQ(window.MessageBoxes()[0].style, 0x4u | 0x20u);
    EXPECT_EQ(Attributes("D:\\T\\a.txt"), kAttrArchive | kAttrHidden);

    window.AnswerMessageBoxes(kIdYes);
    SysCommand(kUndo);
    WaitForIdle();
    EXPECT_EQ(Attributes("D:\\T\\a.txt"), kAttrArchive);
    EXPECT_EQ(Attributes("D:\\T\\b.txt"), kAttrArchive);
    EXPECT_EQ(window.GetText(IDC_STATUS), "\"D:\\T\"\n直前の一括変更を元に戻しました。");
    EXPECT_EQ(window.GetText(IDC_START), "一括変更開始(&E)");
    EXPECT_TRUE(window.ControlState(IDC_PATH).enabled);
    // Nothing is left to take back: greyed, and the command does nothing.
    EXPECT_FALSE(shell.SystemMenuItemEnabled(kUndo));
    SysCommand(kUndo);
    EXPECT_EQ(window.MessageBoxes().size(), 2u);
}

TEST_F(MainDialogRecordsTest, UndoDuringARunDoesNothing) {
    holdJob = true;
    threads.SetMode(MemoryThreads::Mode::RealThread);
    dialog = std::make_unique<MainDialog>(
        DialogPlatform{window, shell, files, clock, threads, [this](RunEnvironment& e) { return Job(e); }, &records},
        kExeFolder, FirstArgument("D:\\T"));
    ASSERT_TRUE(dialog->OnInitDialog());
    records.Put("20251209-063000-000.txt", {{"Kelvo change record\t1\trun", true},
                                             {"target\tD:\\T\tD:\\T", true},
                                             {"mode\tfolder", true},
                                             {"start\t2025-12-09T06:30:00.0000000Z", true},
                                             {"end\tfinished\t2\t0", true}});
    dialog->StartOrCancel();
    ASSERT_TRUE(dialog->Worker().Running());
    EXPECT_FALSE(shell.SystemMenuItemEnabled(kUndo));
    EXPECT_FALSE(shell.SystemMenuItemEnabled(kPreview));
    EXPECT_FALSE(shell.SystemMenuItemEnabled(kTimeAdjust));
    EXPECT_TRUE(SysCommand(kUndo).handled);
    EXPECT_TRUE(SysCommand(kPreview).handled);
    EXPECT_TRUE(SysCommand(kTimeAdjust).handled);
    EXPECT_TRUE(window.MessageBoxes().empty());
    EXPECT_FALSE(shell.Called("RunDialog 103"));
    holdJob = false;
    dialog->StartOrCancel();  // cancels
    WaitForIdle();
    EXPECT_EQ(jobRuns, 1);  // the preview started no run of its own
    EXPECT_TRUE(shell.SystemMenuItemEnabled(kUndo));
    EXPECT_TRUE(shell.SystemMenuItemEnabled(kTimeAdjust));
}

// A preview starts as button 1 does, changes nothing, and opens its record.
TEST_F(MainDialogRecordsTest, PreviewRunsLikeARunAndOpensItsRecord) {
    OpenWithRecords();
    window.SetCheck(IDC_HIDDEN, kChecked);
    EXPECT_TRUE(SysCommand(kPreview).handled);
    WaitForIdle();
    EXPECT_EQ(Attributes("D:\\T\\a.txt"), kAttrArchive);
    EXPECT_EQ(window.GetText(IDC_STATUS), "\"D:\\T\"\n変更内容の確認が終わりました。(2項目を変更します)");
    EXPECT_EQ(window.GetText(IDC_START), "一括変更開始(&E)");
    ASSERT_EQ(records.Names().size(), 1u);
    EXPECT_EQ(records.TextsOf(records.Names()[0]).front(), "Kelvo change record\t1\tpreview");
    EXPECT_EQ(records.Shown(), records.Names());
    // A preview is never offered to undo.
    EXPECT_FALSE(shell.SystemMenuItemEnabled(kUndo));
    EXPECT_TRUE(shell.SystemMenuItemEnabled(kPreview));
}

TEST_F(MainDialogRecordsTest, RecordOfAnotherVersionIsRefusedAndNothingChanges) {
    OpenWithRecords();
    records.Put("20991231-000000-000.txt", {{"Kelvo change record\t2\trun", true}});
    SysCommand(kUndo);
    ASSERT_EQ(window.MessageBoxes().size(), 1u);
    EXPECT_EQ(window.MessageBoxes()[0].text, "変更記録を読めません。");
    EXPECT_EQ(window.MessageBoxes()[0].caption, "エラー");
    EXPECT_EQ(dialog->Worker().Running(), false);
}

TEST_F(MainDialogRecordsTest, OpenShowsTheNewestRecordOrTheFolder) {
    OpenWithRecords();
    SysCommand(kOpenRecords);
    RunHidden();
    SysCommand(kOpenRecords);
    ASSERT_EQ(records.Names().size(), 1u);
    EXPECT_EQ(records.Shown(), (std::vector<std::string>{"", records.Names()[0]}));
}

}  // namespace
}  // namespace kelvo
