// The main window's construction and initialisation sequence: the states
// the controls and members are left in.
#include "tests/unit/MainDialogTestFixture.h"

#include "app/MainApp.h"

namespace kelvo {
namespace {

struct FolderCase {
    const char* path;
    const char* folder;
};

TEST(MainAppTest, ExeFolderIsCutAfterTheLastBackslashCharacter) {
    const FolderCase cases[] = {
        {"C:\\tools\\prog.exe", "C:\\tools\\"},
        {"C:\\prog.exe", "C:\\"},
        // 表 ends in the byte of a backslash, which is no separator.
        {"C:\\表\\Kelvo.exe", "C:\\表\\"},
        {"C:\\dir\\表.exe", "C:\\dir\\"},
        {"prog.exe", ""},
    };
    for (const FolderCase& c : cases) EXPECT_EQ(MainApp::FolderOf(c.path), c.folder) << c.path;
    EXPECT_EQ(MainApp("D:\\a\\b\\Kelvo.exe").ExeFolder(), "D:\\a\\b\\");
}

TEST_F(MainDialogTest, WithoutArgumentThePathIsTheCurrentDirectory) {
    Open();
    EXPECT_EQ(dialog->ProgramFolder(), kCurrentDirectory);
    EXPECT_EQ(window.GetText(IDC_PATH), kCurrentDirectory);
    EXPECT_FALSE(window.ControlState(IDC_PATH).readOnly);
}

TEST_F(MainDialogTest, WithArgumentThePathIsTheArgumentAndProgramFolderTheExeFolder) {
    Open("E:\\photos\\2024");
    EXPECT_EQ(dialog->ProgramFolder(), kExeFolder);
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\photos\\2024");
    EXPECT_FALSE(window.ControlState(IDC_PATH).readOnly);
    EXPECT_EQ(window.GetCheck(IDC_CURRENT_DIR), kUnchecked);
}

TEST_F(MainDialogTest, TheArgumentIsTakenUnalteredEvenWhenItNamesNothing) {
    Open("  no such\\place ");
    EXPECT_EQ(window.GetText(IDC_PATH), "  no such\\place ");
}

TEST_F(MainDialogTest, AttributeBoxesStartIndeterminateAndTheOtherBoxesUnticked) {
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    window.SetCheck(IDC_RENAME_ON, kChecked);
    Open();
    for (int box : kAttributeBoxes) EXPECT_EQ(window.GetCheck(box), kIndeterminate) << box;
    EXPECT_EQ(window.GetCheck(IDC_FOLDERS_TOO), kUnchecked);
    EXPECT_EQ(window.GetCheck(IDC_RENAME_ON), kUnchecked);
    EXPECT_EQ(window.GetCheck(IDC_ALWAYS_ON_TOP), kUnchecked);
}

TEST_F(MainDialogTest, DateRowsAreFilledLimitedAndSwitchedOff) {
    Open();
    EXPECT_EQ(dialog->Initialised(), 1);
    for (const DateRowIds& row : kDateRows) {
        EXPECT_EQ(window.GetCheck(row.box), kUnchecked);
        EXPECT_EQ(window.ControlState(row.edits[kYear]).textLimit, 4);
        for (int field = kMonth; field < kDateFieldCount; ++field) {
            EXPECT_EQ(window.ControlState(row.edits[field]).textLimit, 2) << row.edits[field];
        }
        for (int edit : row.edits) {
            EXPECT_TRUE(window.ControlState(edit).readOnly) << edit;
            EXPECT_FALSE(window.GetText(edit).empty()) << edit;
        }
        for (int spin : row.spins) EXPECT_FALSE(window.ControlState(spin).enabled) << spin;
        EXPECT_EQ(window.ControlState(row.spins[kYear]).spinLow, 1980);
        EXPECT_EQ(window.ControlState(row.spins[kYear]).spinHigh, 2038);
        EXPECT_EQ(window.ControlState(row.spins[kHour]).spinHigh, 23);
    }
}

TEST_F(MainDialogTest, StepsThatReachTheShellComeInOrder) {
    Open();
    const std::vector<std::string> calls = shell.Calls();
    const std::vector<std::string> expected = {
        // The record items come before the About item, so the menu still ends with it.
        "LoadAppIcon", "AddSystemMenuItems 5", "AddAboutItemToSystemMenu", "SetWindowIcons 128",
        "AddTrayIcon 1 128 1524 Kelvo", "EnableToolTips"};
    EXPECT_EQ(calls, expected);
}

TEST_F(MainDialogTest, WithoutSettingsFileTheDefaultsApply) {
    Open();
    EXPECT_EQ(dialog->Settings(), SettingsFile::Defaults());
    EXPECT_EQ(dialog->FullView(), 1);
    EXPECT_FALSE(window.Topmost());
    for (int edit : kRenameEdits) EXPECT_EQ(window.GetText(edit), "") << edit;
}

TEST_F(MainDialogTest, SettingsFileRestoresCompactViewModeAndRuleTexts) {
    files.AddFile(kExeFolder + "Kelvo.ini", kAttrArchive, 0, "1\r\n1\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\n");
    const Rect full{50, 60, 50 + 370, 60 + 520};
    window.SetWindowRect(full);
    Open();
    EXPECT_EQ(window.GetCheck(IDC_ALWAYS_ON_TOP), kChecked);
    EXPECT_EQ(window.GetCheck(IDC_RENAME_MODE), kChecked);
    EXPECT_EQ(dialog->FullView(), 0);
    EXPECT_TRUE(window.Topmost());
    // The full size is kept for switching the compact view off again.
    EXPECT_EQ(dialog->InitialWindowRect().bottom - dialog->InitialWindowRect().top, 520);
    EXPECT_EQ(window.WindowRect().bottom - window.WindowRect().top, 110);
    EXPECT_EQ(window.WindowRect().right - window.WindowRect().left, 370);
    const char* expected[8] = {"a", "b", "c", "d", "e", "f", "g", "h"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(window.GetText(kRenameEdits[i]), expected[i]) << i;
}

TEST_F(MainDialogTest, ConstructionLeavesTheWorkerIdleAndLoadsTheIcon) {
    Open();
    EXPECT_FALSE(dialog->Worker().Running());
    EXPECT_FALSE(dialog->Worker().CancelRequested());
    EXPECT_EQ(dialog->AppIcon(), MemoryShell::kAppIcon);
}

TEST_F(MainDialogTest, WithoutAFolderOfItsOwnTheSettingsStayInMemory) {
    // Neither the executable's path nor the current directory could be had
    // (they have no exact form, say): no relative "Kelvo.ini" is read or written.
    files.RefuseOperation("GetCurrentDirectory", "", 0);
    Open("", "");
    EXPECT_EQ(dialog->ProgramFolder(), "");
    EXPECT_EQ(window.GetText(IDC_PATH), "");
    window.Click(IDC_RENAME_ON);
    window.Type(IDC_TITLE_HEAD, "x");
    window.Click(IDC_SAVE_RENAME);
    Destroy();
    for (const std::string& call : files.Calls()) EXPECT_EQ(call.find("Kelvo.ini"), std::string::npos) << call;
    EXPECT_EQ(window.GetText(IDC_TITLE_HEAD), "x");
}

TEST_F(MainDialogTest, DestroyStoresAlwaysOnTopAndRemovesTheIconLast) {
    Open();
    window.Click(IDC_ALWAYS_ON_TOP);
    Destroy();
    EXPECT_EQ(SettingsFileBytes().substr(0, 6), "1\r\n0\r\n");
    EXPECT_EQ(shell.Calls().back(), "RemoveTrayIcon 1");
}

TEST_F(MainDialogTest, ExitKeepsTheSavedRenameLinesAndRefreshesOnlyTheFirst) {
    Open();
    window.Click(IDC_RENAME_ON);
    window.Click(IDC_RENAME_MODE);
    ASSERT_TRUE(window.Type(IDC_TITLE_HEAD, "old_"));
    ASSERT_TRUE(window.Type(IDC_EXT_WHAT, "doc"));
    ASSERT_TRUE(window.Type(IDC_EXT_WITH, "txt"));
    window.Click(IDC_SAVE_RENAME);
    // Changed afterwards without saving: none of it reaches the file.
    window.Click(IDC_RENAME_MODE);
    ASSERT_TRUE(window.Type(IDC_TITLE_HEAD, "new_"));
    ASSERT_TRUE(window.Type(IDC_TITLE_TAIL, "_2"));
    window.Click(IDC_ALWAYS_ON_TOP);
    Destroy();
    EXPECT_EQ(SettingsFileBytes(), "1\r\n1\r\nold_\r\n\r\n\r\n\r\n\r\n\r\ndoc\r\ntxt\r\n");
}

}  // namespace
}  // namespace kelvo
