// The main window's message table: each row reaches its handler, rows match
// only their notification and controls, and the small window-level handlers.
#include "tests/unit/MainDialogTestFixture.h"

#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace kelvo {
namespace {

Message Plain(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    Message m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
}

TEST(MessageTableTest, CommandMessageSplitsIdAndCode) {
    const Message m = CommandMessage(kWmCommand, (0x0400u << 16) | IDC_TITLE_HEAD, 77);
    EXPECT_EQ(m.id, IDC_TITLE_HEAD);
    EXPECT_EQ(m.code, kEnUpdate);
    EXPECT_EQ(m.lParam, 77);
}

TEST(MessageTableTest, EveryControlIdHasAtMostOneRowPerNotification) {
    std::set<std::pair<int, int>> seen;
    for (const MessageRow<MainDialog>& row : MainDialog::messageTable) {
        if (row.message != kWmCommand) continue;
        for (int id : row.ids) {
            if (id == 0) break;
            EXPECT_TRUE(seen.insert({row.code, id}).second) << id;
        }
    }
    // The program-folder box, 18 date edits, 3 date boxes, always-on-top, reset, the rename switch,
    // 8 rule edits, the rename mode and save.
    EXPECT_EQ(seen.size(), 35u);
}

TEST(MessageTableTest, RowsMatchOnlyTheirNotificationAndControls) {
    const MessageRow<MainDialog>* row = MainDialog::messageTable.Find(CommandMessage(kWmCommand, IDC_CURRENT_DIR, 0));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->ids[0], IDC_CURRENT_DIR);
    // EN_UPDATE of a button, BN_CLICKED of a date edit, and unknown controls find nothing.
    EXPECT_EQ(MainDialog::messageTable.Find(CommandMessage(kWmCommand, (0x0400u << 16) | IDC_CURRENT_DIR, 0)), nullptr);
    EXPECT_EQ(MainDialog::messageTable.Find(CommandMessage(kWmCommand, IDC_CREATION_YEAR, 0)), nullptr);
    EXPECT_EQ(MainDialog::messageTable.Find(CommandMessage(kWmCommand, IDC_STATUS, 0)), nullptr);
    EXPECT_EQ(MainDialog::messageTable.Find(Plain(kWmClose)), nullptr);
}

// A dialog with one operation and one handler, which record their calls.
struct ToyDialog {
    std::vector<std::string> calls;
    void Operate() { calls.push_back("operate"); }
    Reply Handle(const Message& m) {
        calls.push_back("handle");
        return Reply{true, m.lParam};
    }
};

TEST(MessageTableTest, RowsRunTheirOperationOrHandTheMessageToTheirHandler) {
    const MessageRow<ToyDialog> rows[] = {
        ClickRuns(IDC_RESET_DATES, &ToyDialog::Operate),
        MessageRuns(kWmHelp, &ToyDialog::Operate),
        {kWmNotify, kAnyCode, {}, &ToyDialog::Handle},
    };
    const MessageTable<ToyDialog> table{rows, std::size(rows)};
    ToyDialog dialog;
    for (const Message& m : {CommandMessage(kWmCommand, IDC_RESET_DATES, 0), Plain(kWmHelp)}) {
        const MessageRow<ToyDialog>* row = table.Find(m);
        ASSERT_NE(row, nullptr);
        const Reply reply = row->Dispatch(dialog, m);
        EXPECT_TRUE(reply.handled);
        EXPECT_EQ(reply.value, 1);
    }
    // A click row takes no other notification of its control.
    EXPECT_EQ(table.Find(CommandMessage(kWmCommand, (0x0400u << 16) | IDC_RESET_DATES, 0)), nullptr);
    const Message notify = Plain(kWmNotify, 0, 7);
    EXPECT_EQ(table.Find(notify)->Dispatch(dialog, notify).value, 7);
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"operate", "operate", "handle"}));
}

TEST_F(MainDialogTest, TypingIntoADateEditValidatesItsRowOnly) {
    Open();
    window.Click(IDC_MODIFIED_BOX);
    ASSERT_TRUE(window.Type(IDC_MODIFIED_MONTH, "13"));
    // The row's own validation corrects the month in place.
    EXPECT_EQ(window.GetText(IDC_MODIFIED_MONTH), "12");
}

TEST_F(MainDialogTest, DateBoxClickMakesItsRowEditable) {
    Open();
    window.Click(IDC_ACCESS_BOX);
    EXPECT_FALSE(window.ControlState(IDC_ACCESS_YEAR).readOnly);
    EXPECT_TRUE(window.ControlState(IDC_ACCESS_YEAR_SPIN).enabled);
    EXPECT_TRUE(window.ControlState(IDC_CREATION_YEAR).readOnly);
}

TEST_F(MainDialogTest, ResetButtonPutsTheCurrentTimeBack) {
    Open();
    const std::string year = window.GetText(IDC_CREATION_YEAR);
    window.Click(IDC_CREATION_BOX);
    ASSERT_TRUE(window.Type(IDC_CREATION_YEAR, "1999"));
    dialog->HandleMessage(Command(IDC_RESET_DATES, kBnClicked));
    EXPECT_EQ(window.GetText(IDC_CREATION_YEAR), year);
}

TEST_F(MainDialogTest, RenameSwitchAndRuleEditsReachTheRenamePanel) {
    Open();
    window.Click(IDC_RENAME_ON);
    EXPECT_FALSE(window.ControlState(IDC_TITLE_HEAD).readOnly);
    ASSERT_TRUE(window.Type(IDC_TITLE_HEAD, "a*b"));
    EXPECT_EQ(window.GetText(IDC_TITLE_HEAD), "ab");
    window.Click(IDC_RENAME_MODE);
    EXPECT_EQ(window.GetText(IDC_RENAME_MODE), "削除 :");
}

TEST_F(MainDialogTest, SaveButtonStoresTheRenameLines) {
    Open();
    window.Click(IDC_RENAME_ON);
    window.Click(IDC_RENAME_MODE);
    ASSERT_TRUE(window.Type(IDC_EXT_TAIL, "new"));
    window.Click(IDC_ALWAYS_ON_TOP);
    dialog->HandleMessage(Command(IDC_SAVE_RENAME, kBnClicked));
    EXPECT_EQ(dialog->Settings()[0], "0");  // always-on-top reaches the file only at exit
    EXPECT_EQ(dialog->Settings()[1], "1");
    EXPECT_EQ(dialog->Settings()[5], "new");
    EXPECT_EQ(SettingsFileBytes().substr(0, 6), "0\r\n1\r\n");
}

TEST_F(MainDialogTest, AlwaysOnTopBoxSwitchesCompactViewAndBack) {
    window.SetWindowRect(Rect{10, 20, 10 + 360, 20 + 540});
    Open();
    window.Click(IDC_ALWAYS_ON_TOP);
    EXPECT_TRUE(window.Topmost());
    EXPECT_EQ(dialog->FullView(), 0);
    EXPECT_EQ(window.WindowRect().top, 20);
    EXPECT_EQ(window.WindowRect().bottom, 20 + 110);
    window.Click(IDC_ALWAYS_ON_TOP);
    EXPECT_FALSE(window.Topmost());
    EXPECT_EQ(dialog->FullView(), 1);
    EXPECT_EQ(window.WindowRect().bottom, 20 + 540);
}

struct TrayCase {
    const char* name;
    std::intptr_t mouseMessage;
    int expectedCheck;
};

class TrayIconTest : public MainDialogTest, public ::testing::WithParamInterface<TrayCase> {};

TEST_P(TrayIconTest, OnlyALeftPressTogglesAlwaysOnTop) {
    Open();
    dialog->HandleMessage(Plain(kWmTrayIcon, kTrayIconId, GetParam().mouseMessage));
    EXPECT_EQ(window.GetCheck(IDC_ALWAYS_ON_TOP), GetParam().expectedCheck);
    EXPECT_EQ(window.Topmost(), GetParam().expectedCheck == kChecked);
}

INSTANTIATE_TEST_SUITE_P(Mouse, TrayIconTest,
                         ::testing::Values(TrayCase{"LeftDown", kWmLButtonDown, kChecked},
                                           TrayCase{"LeftUp", kWmLButtonUp, kUnchecked},
                                           TrayCase{"LeftDoubleClick", kWmLButtonDblClk, kUnchecked},
                                           TrayCase{"RightDown", kWmRButtonDown, kUnchecked}),
                         [](const ::testing::TestParamInfo<TrayCase>& info) { return info.param.name; });

TEST_F(MainDialogTest, SecondLeftPressOnTheIconSwitchesBack) {
    Open();
    dialog->HandleMessage(Plain(kWmTrayIcon, 0, kWmLButtonDown));
    dialog->HandleMessage(Plain(kWmTrayIcon, 0, kWmLButtonDown));
    EXPECT_EQ(window.GetCheck(IDC_ALWAYS_ON_TOP), kUnchecked);
    EXPECT_EQ(dialog->FullView(), 1);
}

TEST_F(MainDialogTest, SystemMenuAboutItemAndHelpKeyOpenTheAboutBox) {
    Open();
    EXPECT_TRUE(dialog->HandleMessage(Plain(kWmSysCommand, 0x0010 | 0x3)).handled);
    EXPECT_TRUE(dialog->HandleMessage(Plain(kWmHelp)).handled);
    int aboutBoxes = 0;
    for (const std::string& call : shell.Calls()) aboutBoxes += call == "ShowAboutBox";
    EXPECT_EQ(aboutBoxes, 2);
    // Other system commands (SC_MINIMIZE) are left to the platform.
    EXPECT_FALSE(dialog->HandleMessage(Plain(kWmSysCommand, 0xF020)).handled);
}

TEST_F(MainDialogTest, PaintingIsOursOnlyWhileMinimised) {
    Open();
    EXPECT_FALSE(dialog->HandleMessage(Plain(kWmPaint)).handled);
    shell.SetMinimised(true);
    EXPECT_TRUE(dialog->HandleMessage(Plain(kWmPaint)).handled);
    const Reply icon = dialog->HandleMessage(Plain(kWmQueryDragIcon));
    EXPECT_TRUE(icon.handled);
    EXPECT_EQ(icon.value, static_cast<std::intptr_t>(MemoryShell::kAppIcon));
}

TEST_F(MainDialogTest, DropMessageReachesTheTargetPanel) {
    Open();
    const DropHandle drop = shell.AddDrop({"E:\\a.txt", "E:\\b.txt"});
    dialog->HandleMessage(Plain(kWmDropFiles, drop));
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\a.txt");
}

TEST_F(MainDialogTest, DropWhileTheBoxIsTickedIsRefused) {
    Open("E:\\start");
    window.Click(IDC_CURRENT_DIR);
    EXPECT_EQ(window.GetText(IDC_PATH), kExeFolder);
    dialog->HandleMessage(Plain(kWmDropFiles, shell.AddDrop({"E:\\a.txt"})));
    EXPECT_EQ(window.GetText(IDC_PATH), kExeFolder);
    EXPECT_EQ(window.MessageBoxes().size(), 1u);
    window.Click(IDC_CURRENT_DIR);
    EXPECT_EQ(window.GetText(IDC_PATH), "E:\\start");
}

TEST_F(MainDialogTest, TipRequestForTheTipWindowItselfIsNotAnswered) {
    Open();
    Message tip = Plain(kWmNotify, 0, 4242);
    tip.code = kTtnNeedTextW;
    tip.id = 0;
    EXPECT_FALSE(dialog->HandleMessage(tip).handled);
    tip.id = IDC_PATH;
    EXPECT_TRUE(dialog->HandleMessage(tip).handled);
    EXPECT_TRUE(shell.Called("SetTipText 4242"));
}

}  // namespace
}  // namespace kelvo
