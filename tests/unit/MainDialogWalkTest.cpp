// The main window with the real run behind it: what the user does while the
// walk goes (cancel, always-on-top) and what the status area then shows.
// The user's actions come in as the walk changes folders.
#include "tests/unit/MainDialogTestFixture.h"

#include <functional>
#include <vector>

#include "run/RunJob.h"

namespace kelvo {
namespace {

// Tells the test of every change of the current directory before it happens.
class WatchedFiles : public FaultyMemoryFileSystem {
public:
    bool SetCurrentDirectory(const std::string& path) override {
        if (beforeChange) beforeChange(path);
        return FaultyMemoryFileSystem::SetCurrentDirectory(path);
    }

    std::function<void(const std::string&)> beforeChange;
};

class MainDialogWalkTest : public MainDialogTest {
protected:
    MainDialogWalkTest() {
        AddProgramAndCurrentFolder(walkFiles);
        walkFiles.AddFile("C:\\T\\A\\a.txt");
        walkFiles.AddFile("C:\\T\\A\\b.txt");
        walkFiles.AddFile("C:\\T\\B\\d.txt");
        walkFiles.AddFile("C:\\T\\c.txt");
    }

    // The dialog with RunJob as its run, on the target C:\T, hiding every file.
    void OpenOnTarget() {
        dialog = std::make_unique<MainDialog>(DialogPlatform{window, shell, walkFiles, clock, threads, RunJob},
                                              kExeFolder, FirstArgument("C:\\T"));
        ASSERT_TRUE(dialog->OnInitDialog());
        window.SetCheck(IDC_HIDDEN, kChecked);
    }

    bool Hidden(const std::string& path) {
        const FaultyMemoryFileSystem::Node* node = walkFiles.Find(path);
        return node != nullptr && (node->attributes & kAttrHidden) != 0;
    }

    // The status texts from `first` on, without the "written" notes that
    // come between an item's writes.
    std::vector<std::string> StatusTextsFrom(size_t first) {
        std::vector<std::string> texts;
        const std::vector<std::string> all = window.ControlState(IDC_STATUS).texts;
        for (size_t i = first; i < all.size(); ++i) {
            if (all[i] != "変更しました。") texts.push_back(all[i]);
        }
        return texts;
    }

    WatchedFiles walkFiles;
};

TEST_F(MainDialogWalkTest, CancelAfterARefusedRenameCountsTheItemInTheCancelText) {
    OpenOnTarget();
    window.Click(IDC_RENAME_ON);
    ASSERT_TRUE(window.Type(IDC_TITLE_TAIL, "_x"));
    walkFiles.RefuseOperation("Move", "b_x.txt");
    // Cancel is pressed as the walk leaves A, after both of A's files.
    walkFiles.beforeChange = [this](const std::string& path) {
        if (path.rfind("..", 0) == 0 && walkFiles.Exists("C:\\T\\A\\a_x.txt")) dialog->StartOrCancel();
    };
    dialog->StartOrCancel();

    EXPECT_EQ(window.GetText(IDC_STATUS),
              "\"C:\\T\"\nディレクトリ内の処理中にキャンセルしました。\n変更できなかった項目: 1件");
    // b.txt kept its name and still got the attribute; the cancel came before c.txt.
    EXPECT_TRUE(Hidden("C:\\T\\A\\a_x.txt"));
    EXPECT_TRUE(Hidden("C:\\T\\A\\b.txt"));
    EXPECT_FALSE(walkFiles.Exists("C:\\T\\A\\b_x.txt"));
    EXPECT_FALSE(Hidden("C:\\T\\c.txt"));
    EXPECT_TRUE(walkFiles.Exists("C:\\T\\c.txt"));
    EXPECT_EQ(window.Beeps(), 0);
    EXPECT_FALSE(dialog->Worker().Running());
    EXPECT_EQ(window.GetText(IDC_START), "一括変更開始(&E)");
}

TEST_F(MainDialogWalkTest, AlwaysOnTopDuringTheWalkStopsTheProgressTextsAndBringsThemBack) {
    OpenOnTarget();
    // Switched on as the walk enters B, off again as it leaves B.
    walkFiles.beforeChange = [this](const std::string& path) {
        const bool onTop = window.GetCheck(IDC_ALWAYS_ON_TOP) == kChecked;
        if (path == ".\\B" || (onTop && path.rfind("..", 0) == 0)) window.Click(IDC_ALWAYS_ON_TOP);
    };
    const size_t before = window.ControlState(IDC_STATUS).texts.size();
    dialog->StartOrCancel();

    const std::vector<std::string> expected = {
        "\"A\"\nディレクトリ内に移動しました。\n\"A\"\nディレクトリ内処理中...",
        "\"C:\\T\\A\"ディレクトリ内処理中...\n\"a.txt\"を\n隠しファイル属性有効\nに変更しました。",
        "\"C:\\T\\A\"ディレクトリ内処理中...\n\"b.txt\"を\n隠しファイル属性有効\nに変更しました。",
        "カレントディレクトリが一つ上のディレクトリに移動しました。",
        // Nothing of B while the window is the strip; the climb out of B comes after the switch back.
        "カレントディレクトリが一つ上のディレクトリに移動しました。",
        "\"C:\\T\"ディレクトリ内処理中...\n\"c.txt\"を\n隠しファイル属性有効\nに変更しました。",
        "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。",
    };
    EXPECT_EQ(StatusTextsFrom(before), expected);
    // The strip hides the texts, not the work.
    EXPECT_TRUE(Hidden("C:\\T\\B\\d.txt"));
    EXPECT_EQ(dialog->FullView(), 1);
    EXPECT_EQ(window.Beeps(), 1);
}

}  // namespace
}  // namespace kelvo
