// Renaming during a run: a file met again under its new name is treated
// once, also where another program freed that name meanwhile, each file
// pass starts a fresh list of new names, the single-file target's path edit
// follows the rename, and a refused rename keeps the old name but still
// changes the file.
#include <gtest/gtest.h>

#include "tests/unit/RunTestFixture.h"

namespace kelvo {
namespace {

class RenameRun : public RunTest {
protected:
    void SetUp() override {
        window.SetCheck(IDC_RENAME_ON, kChecked);
        window.SetCheck(IDC_RENAME_MODE, kUnchecked);  // add
        window.SetText(IDC_TITLE_HEAD, "x");
        Ask(IDC_HIDDEN, kChecked);
    }
};

TEST_F(RenameRun, FileMetAgainUnderItsNewNameIsTreatedOnce) {
    files.AddFile("C:\\T\\a.txt");
    files.AddFile("C:\\T\\b.txt");
    SetTarget("C:\\T");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(files.CallsOf("Move").size(), 2u);
    EXPECT_TRUE(files.Exists("C:\\T\\xa.txt"));
    EXPECT_TRUE(files.Exists("C:\\T\\xb.txt"));
    EXPECT_EQ(ChangedPaths(), (std::vector<std::string>{"C:\\T\\xa.txt", "C:\\T\\xb.txt"}));
}

// The folder is listed before any of its files is renamed. Where another
// program frees a name of that listing and a file of the pass then takes
// it, the listing's entry of that name is the renamed file: not treated twice.
TEST_F(RenameRun, NameFreedMeanwhileAndGivenIsNotTreatedAgain) {
    files.AddFile("C:\\T\\0.txt");
    files.AddFile("C:\\T\\a.txt");
    files.AddFile("C:\\T\\xa.txt");
    SetTarget("C:\\T");
    window.MarkEdit(IDC_STATUS);
    window.SetCommandHandler([&](int, int) {
        if (window.GetText(IDC_STATUS).find("x0.txt") != std::string::npos) files.Delete("C:\\T\\xa.txt");
    });
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_TRUE(files.Exists("C:\\T\\x0.txt"));
    EXPECT_TRUE(files.Exists("C:\\T\\xa.txt"));
    EXPECT_FALSE(files.Exists("C:\\T\\xxa.txt"));
    EXPECT_EQ(files.CallsOf("Move").size(), 2u);
}

TEST_F(RenameRun, EachFilePassStartsWithNoNewNames) {
    files.AddFile("C:\\T\\A\\a.txt");
    files.AddFile("C:\\T\\xa.txt");
    SetTarget("C:\\T");
    Run();
    EXPECT_TRUE(files.Exists("C:\\T\\A\\xa.txt"));
    EXPECT_TRUE(files.Exists("C:\\T\\xxa.txt"));
}

TEST_F(RenameRun, SingleFileTargetPutsTheNewPathIntoThePathEdit) {
    files.AddFile("C:\\data\\memo.txt");
    SetTarget("C:\\data\\memo.txt");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(window.GetText(IDC_PATH), "C:\\data\\xmemo.txt");
    EXPECT_EQ(AttributesOf("C:\\data\\xmemo.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(LastStatus(), "\"C:\\data\\memo.txt\"\nファイルの処理が終了しました。");
}

TEST_F(RenameRun, RefusedRenameKeepsTheNameChangesTheFileAndCountsItOnce) {
    files.AddFile("C:\\T\\a.txt");
    files.AddFile("C:\\T\\b.txt");
    files.RefuseOperation("Move", "xa.txt");
    SetTarget("C:\\T");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_FALSE(files.Exists("C:\\T\\xa.txt"));
    EXPECT_EQ(AttributesOf("C:\\T\\a.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(AttributesOf("C:\\T\\xb.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(LastStatus(), "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 1件");
}

// A file whose rename and whose write are both refused is one item left as
// it was: it counts once, by the first refusal.
TEST_F(RenameRun, RenameAndWriteBothRefusedCountOnce) {
    files.AddFile("C:\\T\\a.txt");
    files.AddFile("C:\\T\\b.txt");
    files.RefuseOperation("Move", "xa.txt");
    files.RefuseOperation("WriteItem", "a.txt");
    SetTarget("C:\\T");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(AttributesOf("C:\\T\\a.txt"), kAttrArchive);
    EXPECT_EQ(AttributesOf("C:\\T\\xb.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(LastStatus(), "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 1件");
}

}  // namespace
}  // namespace kelvo
