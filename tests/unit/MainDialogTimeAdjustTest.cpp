// The time adjust from the main window's system menu: its dialog opened on
// the path edit's target with the folder box's state, "実行" running its
// job in place of the window's, "確認" previewing it and opening the
// record, and the choices met again at the next opening.
#include <gtest/gtest.h>

#include "platform/memory/MemoryRecordStore.h"
#include "tests/unit/MainDialogTestFixture.h"

namespace kelvo {
namespace {

constexpr unsigned kTimeAdjust = 0x0050;
constexpr FileTime kModified = 126256467061234567;   // 2001-02-03 04:05:06.1234567 UTC
constexpr FileTime kHourLater = 126256503061234567;  // 2001-02-03 05:05:06.1234567 UTC
constexpr FileTime kAccessed = 129229674110000005;   // 2010-07-07 09:10:11.0000005 UTC

class MainDialogTimeAdjustTest : public MainDialogTest {
protected:
    MainDialogTimeAdjustTest() {
        files.AddFolder("D:\\T");
        for (const char* path : {"D:\\T\\a.txt", "D:\\T\\b.txt"}) {
            MemoryFileSystem::Node& file = files.AddFile(path);
            file.modification = kModified;
            file.access = kAccessed;
        }
        dialog = std::make_unique<MainDialog>(
            DialogPlatform{window, shell, files, clock, threads, [](RunEnvironment& e) { return RunJob(e); }, &records},
            kExeFolder, FirstArgument("D:\\T"));
        EXPECT_TRUE(dialog->OnInitDialog());
        // The window's own job would hide every file: the time adjust must not.
        window.SetCheck(IDC_HIDDEN, kChecked);
    }
    // The user shifts modification times by an hour and copies the shifted
    // time to the access time, then presses `button`.
    void AnswerDialogWith(int button) {
        shell.SetDialogUser([this, button](int templateId, DialogLogic& logic) {
            EXPECT_EQ(templateId, 103);
            MemoryWindow adjust;
            logic.OnInit(adjust);
            seenTarget = adjust.GetText(IDC_ADJUST_TARGET);
            seenFolders = adjust.GetCheck(IDC_ADJUST_FOLDERS);
            seenModificationRule = adjust.GetListChoice(IDC_ADJUST_MODIFIED);
            adjust.SetListChoice(IDC_ADJUST_MODIFIED, 3);
            adjust.SetListChoice(IDC_ADJUST_ACCESS, 2);
            adjust.SetText(IDC_ADJUST_HOURS, "1");
            return logic.OnCommand(adjust, button, kBnClicked);
        });
    }
    Reply SysCommand(unsigned command) {
        Message m;
        m.message = kWmSysCommand;
        m.wParam = command;
        return dialog->HandleMessage(m);
    }
    const MemoryFileSystem::Node& Node(const char* path) { return *files.Find(path); }

    MemoryRecordStore records;
    std::string seenTarget;
    int seenFolders = -1;
    int seenModificationRule = -1;
};

TEST_F(MainDialogTimeAdjustTest, RunChangesOnlyTheTimesAndTheDialogMeetsItsChoicesAgain) {
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    AnswerDialogWith(kIdOk);
    EXPECT_TRUE(SysCommand(kTimeAdjust).handled);
    WaitForIdle();
    EXPECT_EQ(seenTarget, "D:\\T");
    EXPECT_EQ(seenFolders, kChecked);
    EXPECT_EQ(seenModificationRule, 0);
    for (const char* path : {"D:\\T\\a.txt", "D:\\T\\b.txt"}) {
        EXPECT_EQ(Node(path).modification, kHourLater) << path;
        EXPECT_EQ(Node(path).access, kHourLater) << path;
        EXPECT_EQ(Node(path).attributes, kAttrArchive) << path;
    }
    EXPECT_EQ(window.GetText(IDC_STATUS).rfind("\"D:\\T\"\nディレクトリ内の全ての処理が終了しました。", 0), 0u)
        << window.GetText(IDC_STATUS);
    EXPECT_EQ(window.GetText(IDC_START), "一括変更開始(&E)");
    ASSERT_EQ(records.Names().size(), 1u);
    EXPECT_EQ(records.TextsOf(records.Names()[0]).front(), "Kelvo change record\t1\trun");

    // Closed at once the second time: it showed what was chosen the first.
    shell.SetDialogUser([this](int, DialogLogic& logic) {
        MemoryWindow adjust;
        logic.OnInit(adjust);
        seenModificationRule = adjust.GetListChoice(IDC_ADJUST_MODIFIED);
        return logic.OnCommand(adjust, kIdCancel, kBnClicked);
    });
    EXPECT_TRUE(SysCommand(kTimeAdjust).handled);
    EXPECT_EQ(seenModificationRule, 3);
    EXPECT_EQ(records.Names().size(), 1u);
}

TEST_F(MainDialogTimeAdjustTest, PreviewChangesNothingAndOpensItsRecord) {
    AnswerDialogWith(TimeAdjustDialog::kPreviewResult);
    EXPECT_TRUE(SysCommand(kTimeAdjust).handled);
    WaitForIdle();
    EXPECT_EQ(seenFolders, kUnchecked);
    EXPECT_EQ(Node("D:\\T\\a.txt").modification, kModified);
    EXPECT_EQ(Node("D:\\T\\a.txt").access, kAccessed);
    ASSERT_EQ(records.Names().size(), 1u);
    EXPECT_EQ(records.TextsOf(records.Names()[0]).front(), "Kelvo change record\t1\tpreview");
    EXPECT_EQ(records.Shown(), records.Names());
}

}  // namespace
}  // namespace kelvo
