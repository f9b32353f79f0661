// The target panel on its own: the program-folder box and dropped paths.
#include "panels/TargetPanel.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryShell.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"

namespace kelvo {
namespace {

class TargetPanelTest : public ::testing::Test {
protected:
    TargetPanelTest() {
        window.MarkEdit(IDC_PATH);
        window.SetCommandHandler([this](int id, int code) {
            if (id == IDC_CURRENT_DIR && code == kBnClicked) panel.ApplyCurrentDirChoice();
        });
        // As at start-up: the path given, the box unticked, then the first call.
        window.SetText(IDC_PATH, "E:\\start");
        window.SetCheck(IDC_CURRENT_DIR, kUnchecked);
        panel.ApplyCurrentDirChoice();
    }

    MemoryWindow window;
    MemoryShell shell;
    std::string programFolder = "C:\\Tools\\Kelvo\\";
    TargetPanel panel{window, shell, programFolder};
};

TEST_F(TargetPanelTest, FirstCallKeepsTheStartPathWritable) {
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\start");
    EXPECT_EQ(panel.SavedTargetText(), "E:\\start");
    EXPECT_FALSE(window.ControlState(IDC_PATH).readOnly);
}

TEST_F(TargetPanelTest, TickLocksOnProgramFolderAndUntickBringsBackTypedText) {
    ASSERT_TRUE(window.Type(IDC_PATH, "F:\\typed but not used"));
    window.Click(IDC_CURRENT_DIR);
    EXPECT_EQ(window.GetText(IDC_PATH), programFolder);
    EXPECT_TRUE(window.ControlState(IDC_PATH).readOnly);
    EXPECT_TRUE(window.ControlState(IDC_PATH).enabled);  // read-only, never disabled
    EXPECT_FALSE(window.Type(IDC_PATH, "G:\\"));
    window.Click(IDC_CURRENT_DIR);
    EXPECT_EQ(window.GetText(IDC_PATH), "F:\\typed but not used");
    EXPECT_FALSE(window.ControlState(IDC_PATH).readOnly);
}

TEST_F(TargetPanelTest, UntickBringsBackTheTextOfTheLastTickWhateverWasShownBetween) {
    window.Click(IDC_CURRENT_DIR);
    window.SetText(IDC_PATH, "H:\\renamed by a run");
    window.Click(IDC_CURRENT_DIR);
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\start");
}

TEST_F(TargetPanelTest, DropTakesOnlyTheFirstPathAndReleasesTheDrop) {
    DropHandle drop = shell.AddDrop({"E:\\one.txt", "E:\\two.txt", "E:\\three"});
    panel.TakeDroppedTarget(drop);
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\one.txt");
    EXPECT_EQ(shell.ReleasedDrops(), std::vector<DropHandle>{drop});
    EXPECT_EQ(panel.SavedTargetText(), "E:\\start");  // a drop is not remembered
    EXPECT_TRUE(window.MessageBoxes().empty());
}

TEST_F(TargetPanelTest, DroppedFolderIsTakenLikeAFile) {
    panel.TakeDroppedTarget(shell.AddDrop({"E:\\photos"}));
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\photos");
}

TEST_F(TargetPanelTest, DropWhileLockedIsRefusedWithTheMessageAndChangesNothing) {
    window.Click(IDC_CURRENT_DIR);
    DropHandle drop = shell.AddDrop({"E:\\one.txt"});
    panel.TakeDroppedTarget(drop);
    EXPECT_EQ(window.GetText(IDC_PATH), programFolder);
    ASSERT_EQ(window.MessageBoxes().size(), 1u);
    EXPECT_EQ(window.MessageBoxes()[0].text, "\"カレントディレクトリにする\"のチェックマークを外して下さい。");
    EXPECT_EQ(window.MessageBoxes()[0].caption, "エラー <カレントディレクトリに設定されてます>");
    EXPECT_EQ(window.MessageBoxes()[0].style, kMbOk | kMbIconExclamation);
    EXPECT_EQ(shell.ReleasedDrops(), std::vector<DropHandle>{drop});
    window.Click(IDC_CURRENT_DIR);
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\start");
}

TEST_F(TargetPanelTest, DroppedPathWithoutAnExactFormIsRefusedWithTheMessage) {
    DropHandle drop = shell.AddDrop({"E:\\caf?"}, false);
    panel.TakeDroppedTarget(drop);
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\start");
    ASSERT_EQ(window.MessageBoxes().size(), 1u);
    EXPECT_EQ(window.MessageBoxes()[0].text, "このパスには、このプログラムで扱えない文字が含まれています。");
    EXPECT_EQ(window.MessageBoxes()[0].caption, "エラー");
    EXPECT_EQ(window.MessageBoxes()[0].style, kMbOk | kMbIconExclamation);
    EXPECT_EQ(shell.ReleasedDrops(), std::vector<DropHandle>{drop});
}

TEST_F(TargetPanelTest, AttributeStartStates) {
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    panel.SetAttributeStartStates();
    for (int box : kAttributeBoxes) EXPECT_EQ(window.GetCheck(box), kIndeterminate);
    EXPECT_EQ(window.GetCheck(IDC_FOLDERS_TOO), kUnchecked);
}

}  // namespace
}  // namespace kelvo
