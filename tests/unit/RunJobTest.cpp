// The start of a run and file mode: the job read from the window, targets
// that are refused, and the texts and beep of a single-file run.
#include <gtest/gtest.h>

#include "run/JobSettings.h"
#include "run/RunTexts.h"
#include "tests/unit/RunTestFixture.h"

namespace kelvo {
namespace {

class RefusedTarget : public RunTest {};

TEST_F(RefusedTarget, EmptyMissingAndUnenterableGiveTheMessageBoxOnly) {
    struct Case {
        const char* name;
        std::string path;
    };
    files.AddFolder("C:\\locked").noEnter = true;
    const Case cases[] = {{"empty path", ""}, {"missing path", "C:\\nowhere"}, {"folder that can't be entered", "C:\\locked"}};
    size_t boxes = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetTarget(c.path);
        EXPECT_EQ(Run(), RunEnd::Refused);
        std::vector<MemoryWindow::MessageBoxCall> shown = window.MessageBoxes();
        ASSERT_EQ(shown.size(), ++boxes);
        EXPECT_EQ(shown.back().text, "設定したパスが存在しない、又はディレクトリでは無いと思われます。");
        EXPECT_EQ(shown.back().caption, "エラー <カレントディレクトリが移動できません>");
        EXPECT_EQ(shown.back().style, kMbIconExclamation | kMbOk);
        EXPECT_TRUE(StatusTexts().empty());
        EXPECT_EQ(window.Beeps(), 0);
    }
}

class JobSettingsRead : public RunTest {};

TEST_F(JobSettingsRead, TakesEveryFieldAsTheControlsHoldIt) {
    window.SetCheck(IDC_READ_ONLY, 0);
    window.SetCheck(IDC_HIDDEN, 1);
    window.SetCheck(IDC_FOLDERS_TOO, kIndeterminate);  // only exactly 1 counts as ticked
    window.SetCheck(IDC_MODIFIED_BOX, 1);
    window.SetText(IDC_MODIFIED_YEAR, "2003");
    window.SetText(IDC_ACCESS_SECOND, " 7");
    window.SetCheck(IDC_RENAME_ON, 1);
    window.SetCheck(IDC_RENAME_MODE, kIndeterminate);  // any state but 0 deletes
    window.SetText(IDC_EXT_WITH, "bak");
    SetTarget("C:\\x ");
    JobSettings job = ReadJobSettings(window);
    EXPECT_EQ(job.attributeChoices, (AttributeChoices{0, 1, 2, 2}));
    EXPECT_FALSE(job.applyToFolders);
    EXPECT_EQ(job.timeEnables, (TimeEnables{false, true, false}));
    EXPECT_EQ(job.modificationFields.texts[kYear], "2003");
    EXPECT_EQ(job.accessFields.texts[kSecond], " 7");
    EXPECT_TRUE(job.renameEnabled);
    EXPECT_EQ(job.renameRules.mode, 1);
    EXPECT_EQ(job.renameRules.extWith, "bak");
    EXPECT_EQ(job.targetPath, "C:\\x ");
    window.SetCheck(IDC_RENAME_MODE, kUnchecked);
    EXPECT_EQ(ReadJobSettings(window).renameRules.mode, 0);
}

class FileMode : public RunTest {
protected:
    void SetUp() override {
        files.AddFolder("C:\\work");
        files.AddFile("C:\\data\\memo.txt", kAttrArchive);
        files.SetCurrentDirectory("C:\\work");
        SetTarget("C:\\data\\memo.txt");
    }
};

TEST_F(FileMode, ReportsNameTheCurrentDirectoryAndTheFullPath) {
    Ask(IDC_HIDDEN, kChecked);
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(AttributesOf("C:\\data\\memo.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(StatusTexts(),
              (std::vector<std::string>{"変更しました。",
                                        "\"C:\\work\"ディレクトリ内処理中...\n\"C:\\data\\memo.txt\"を\n"
                                        "隠しファイル属性有効\nに変更しました。",
                                        "\"C:\\data\\memo.txt\"\nファイルの処理が終了しました。"}));
    EXPECT_EQ(window.Beeps(), 1);
    std::string current;
    files.GetCurrentDirectory(current);
    EXPECT_EQ(current, "C:\\work");
}

TEST_F(FileMode, NothingChangedGetsTheSuffix) {
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(LastStatus(), "\"C:\\data\\memo.txt\"\nファイルの処理が終了しました。\n変更は何もありませんでした。");
}

TEST_F(FileMode, CompactViewShowsNothingButBeeps) {
    fullView = 0;
    Ask(IDC_READ_ONLY, kChecked);
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(AttributesOf("C:\\data\\memo.txt"), kAttrArchive | kAttrReadOnly);
    EXPECT_TRUE(StatusTexts().empty());
    EXPECT_EQ(window.Beeps(), 1);
}

TEST_F(FileMode, RefusedWriteIsCountedAfterTheSuffix) {
    Ask(IDC_SYSTEM, kChecked);
    files.RefuseOperation("WriteItem");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(LastStatus(),
              "\"C:\\data\\memo.txt\"\nファイルの処理が終了しました。\n変更は何もありませんでした。\n"
              "変更できなかった項目: 1件");
    EXPECT_EQ(window.Beeps(), 1);
}

// Targets typed without a full path name the item in the current directory
// at the start of the run; the texts keep the path as typed.
class RelativeTarget : public RunTest {
protected:
    void SetUp() override {
        files.AddFile("C:\\memo.txt", kAttrArchive);  // the drive root's file of the same name
        files.AddFile("C:\\work\\memo.txt", kAttrArchive);
        files.AddFile("C:\\work\\sub\\s.txt", kAttrArchive);
        files.AddFile("C:\\work\\sub\\sub\\ss.txt", kAttrArchive);
        files.SetCurrentDirectory("C:\\work");
        Ask(IDC_HIDDEN, kChecked);
    }
    std::string CurrentDirectory() {
        std::string path;
        files.GetCurrentDirectory(path);
        return path;
    }
};

TEST_F(RelativeTarget, BareFileNameIsTheFileInTheCurrentDirectory) {
    window.SetCheck(IDC_RENAME_ON, kChecked);
    window.SetText(IDC_TITLE_HEAD, "x");
    SetTarget("memo.txt");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(AttributesOf("C:\\work\\xmemo.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(AttributesOf("C:\\memo.txt"), kAttrArchive);
    EXPECT_EQ(window.GetText(IDC_PATH), "C:\\work\\xmemo.txt");
    EXPECT_EQ(LastStatus(), "\"memo.txt\"\nファイルの処理が終了しました。");
    EXPECT_EQ(CurrentDirectory(), "C:\\work");
}

TEST_F(RelativeTarget, RelativeFolderIsWalkedAndTheSameTextNamesItAgain) {
    files.AddFile("C:\\work\\sub\\sub\\sub.txt", kAttrArchive);
    SetTarget("sub");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(CurrentDirectory(), "C:\\work");
    EXPECT_EQ(LastStatus(), "\"sub\"\nディレクトリ内の全ての処理が終了しました。");
    EXPECT_EQ(AttributesOf("C:\\work\\sub\\s.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(AttributesOf("C:\\work\\sub\\sub\\ss.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(AttributesOf("C:\\work\\memo.txt"), kAttrArchive);
    // Pressed again, the same text names the same folder.
    files.SetAttributes("C:\\work\\sub\\s.txt", kAttrArchive);
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(AttributesOf("C:\\work\\sub\\s.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(CurrentDirectory(), "C:\\work");
    EXPECT_TRUE(window.MessageBoxes().empty());
}

// With backslashes or slashes, as the system takes either.
TEST_F(RelativeTarget, FullPathRunEndsInItsTarget) {
    for (const char* typed : {"C:\\work\\sub", "C:/work/sub", "c:/work\\sub"}) {
        SCOPED_TRACE(typed);
        files.SetCurrentDirectory("C:\\work");
        SetTarget(typed);
        EXPECT_EQ(Run(), RunEnd::Finished);
        EXPECT_EQ(CurrentDirectory(), "C:\\work\\sub");
        const std::string finished = "\"" + std::string(typed) + "\"\nディレクトリ内の全ての処理が終了しました。";
        EXPECT_EQ(LastStatus().rfind(finished, 0), 0u) << LastStatus();
    }
}

TEST(RunTexts, ClosingTextsCarrySuffixAndCount) {
    EXPECT_EQ(FolderFinishedText("C:\\T", true, 0), "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。");
    EXPECT_EQ(FolderCancelledText("C:\\T", false, 12),
              "\"C:\\T\"\nディレクトリ内の処理中にキャンセルしました。\n変更は何もありませんでした。\n"
              "変更できなかった項目: 12件");
    EXPECT_EQ(EnteredFolderText("A"), "\"A\"\nディレクトリ内に移動しました。\n\"A\"\nディレクトリ内処理中...");
    EXPECT_STREQ(kClimbedText, "カレントディレクトリが一つ上のディレクトリに移動しました。");
}

}  // namespace
}  // namespace kelvo
