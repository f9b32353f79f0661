// The time adjust's dialog on the in-memory window: its lists, the offset
// fields corrected in place, the buttons greyed while nothing would change,
// the job it ends with and the choices it keeps for the next opening.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/TimeAdjustDialog.h"
#include "platform/WindowMessages.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ResourceIds.h"

namespace kelvo {
namespace {

class TimeAdjustDialogTest : public ::testing::Test {
protected:
    // Opens the dialog on `target` with the main window's folder box as given;
    // list choices and clicks reach the logic as the system's notifications.
    void Open(bool foldersToo = false, const std::string& target = "D:\\Photos") {
        window = std::make_unique<MemoryWindow>();
        logic = std::make_unique<TimeAdjustDialog>(target, foldersToo, kept);
        window->SetCommandHandler([this](int id, int code) { ended = logic->OnCommand(*window, id, code); });
        logic->OnInit(*window);
    }
    // Typing into an edit, then its EN_UPDATE.
    void Type(int id, const std::string& text) {
        ASSERT_TRUE(window->Type(id, text));
        ended = logic->OnCommand(*window, id, kEnUpdate);
    }
    int Press(int id) {
        ended = logic->OnCommand(*window, id, kBnClicked);
        return ended;
    }
    bool Runnable() { return window->ControlState(kIdOk).enabled && window->ControlState(IDC_ADJUST_PREVIEW).enabled; }
    bool Greyed() { return !window->ControlState(kIdOk).enabled && !window->ControlState(IDC_ADJUST_PREVIEW).enabled; }

    TimeAdjustChoices kept;
    std::unique_ptr<MemoryWindow> window;
    std::unique_ptr<TimeAdjustDialog> logic;
    int ended = kDialogStaysOpen;
};

TEST_F(TimeAdjustDialogTest, EachRowListsTheOtherTwoTimesAndTheTargetIsShownAsGiven) {
    Open(false, "..\\Photos");
    EXPECT_EQ(window->GetText(IDC_ADJUST_TARGET), "..\\Photos");
    const std::vector<std::string> creation{"変更しない", "更新日時と同じにする", "アクセス日と同じにする", "ずらす"};
    const std::vector<std::string> modification{"変更しない", "作成日時と同じにする", "アクセス日と同じにする",
                                                "ずらす"};
    const std::vector<std::string> access{"変更しない", "作成日時と同じにする", "更新日時と同じにする", "ずらす"};
    EXPECT_EQ(window->ControlState(IDC_ADJUST_CREATION).listItems, creation);
    EXPECT_EQ(window->ControlState(IDC_ADJUST_MODIFIED).listItems, modification);
    EXPECT_EQ(window->ControlState(IDC_ADJUST_ACCESS).listItems, access);
    EXPECT_EQ(window->ControlState(IDC_ADJUST_SIGN).listItems, (std::vector<std::string>{"+", "-"}));
    for (int list : {IDC_ADJUST_CREATION, IDC_ADJUST_MODIFIED, IDC_ADJUST_ACCESS, IDC_ADJUST_SIGN}) {
        EXPECT_EQ(window->GetListChoice(list), 0) << list;
    }
    // Each field's up-down covers exactly its range.
    const int spins[][2] = {{IDC_ADJUST_DAYS_SPIN, 99999}, {IDC_ADJUST_HOURS_SPIN, 23},
                            {IDC_ADJUST_MINUTES_SPIN, 59}, {IDC_ADJUST_SECONDS_SPIN, 59}};
    for (const auto& spin : spins) {
        EXPECT_EQ(window->ControlState(spin[0]).spinLow, 0) << spin[0];
        EXPECT_EQ(window->ControlState(spin[0]).spinHigh, spin[1]) << spin[0];
    }
}

TEST_F(TimeAdjustDialogTest, FieldsDropLettersAndAreClampedInPlace) {
    struct Case {
        int edit;
        const char* typed;
        const char* left;
    };
    const Case cases[] = {
        {IDC_ADJUST_DAYS, "12a3", "123"},       {IDC_ADJUST_DAYS, "100000", "99999"},
        {IDC_ADJUST_DAYS, "99999", "99999"},    {IDC_ADJUST_DAYS, "", ""},
        {IDC_ADJUST_DAYS, "x", ""},             {IDC_ADJUST_DAYS, "99999999999999999999999", "99999"},
        {IDC_ADJUST_HOURS, "24", "23"},         {IDC_ADJUST_HOURS, "23", "23"},
        {IDC_ADJUST_HOURS, "07", "07"},         {IDC_ADJUST_MINUTES, "60", "59"},
        {IDC_ADJUST_MINUTES, "0060", "59"},     {IDC_ADJUST_SECONDS, "-5", "5"},
        {IDC_ADJUST_SECONDS, "1,000", "59"},
    };
    Open();
    for (const Case& c : cases) {
        Type(c.edit, c.typed);
        EXPECT_EQ(window->GetText(c.edit), c.left) << c.edit << " " << c.typed;
    }
}

// Greyed while every row is left, or while only shifting rows are chosen and
// the offset is zero; a blank field counts as 0.
TEST_F(TimeAdjustDialogTest, ButtonsAreGreyedWhileTheJobWouldChangeNothing) {
    struct Case {
        int creation, modification, access;
        const char* minutes;
        bool runnable;
    };
    const Case cases[] = {
        {0, 0, 0, "", false},  {0, 0, 0, "5", false}, {3, 0, 0, "", false}, {3, 3, 3, "0", false},
        {3, 0, 0, "5", true},  {0, 3, 0, "1", true},  {1, 0, 0, "", true},  {0, 0, 2, "0", true},
        {3, 0, 1, "", true},
    };
    Open();
    EXPECT_TRUE(Greyed());
    for (const Case& c : cases) {
        ASSERT_TRUE(window->Choose(IDC_ADJUST_CREATION, c.creation));
        ASSERT_TRUE(window->Choose(IDC_ADJUST_MODIFIED, c.modification));
        ASSERT_TRUE(window->Choose(IDC_ADJUST_ACCESS, c.access));
        Type(IDC_ADJUST_MINUTES, c.minutes);
        const std::string row = std::to_string(c.creation) + std::to_string(c.modification) +
                                std::to_string(c.access) + " " + c.minutes;
        if (c.runnable) {
            EXPECT_TRUE(Runnable()) << row;
        } else {
            EXPECT_TRUE(Greyed()) << row;
            // Enter still reaches the default button: nothing happens.
            EXPECT_EQ(Press(kIdOk), kDialogStaysOpen) << row;
            EXPECT_EQ(Press(IDC_ADJUST_PREVIEW), kDialogStaysOpen) << row;
        }
    }
}

TEST_F(TimeAdjustDialogTest, EndsWithTheRulesAndTheSignedOffsetInTicks) {
    Open(true);
    EXPECT_EQ(window->GetCheck(IDC_ADJUST_FOLDERS), kChecked);
    window->Choose(IDC_ADJUST_CREATION, 1);  // 更新日時と同じにする
    window->Choose(IDC_ADJUST_MODIFIED, 3);  // ずらす
    window->Choose(IDC_ADJUST_ACCESS, 1);    // 作成日時と同じにする
    window->Choose(IDC_ADJUST_SIGN, 1);
    Type(IDC_ADJUST_DAYS, "1");
    Type(IDC_ADJUST_HOURS, "2");
    Type(IDC_ADJUST_MINUTES, "3");
    Type(IDC_ADJUST_SECONDS, "4");
    window->Click(IDC_ADJUST_FOLDERS);
    EXPECT_EQ(Press(IDC_ADJUST_PREVIEW), IDC_ADJUST_PREVIEW);
    const TimeAdjust& adjust = logic->Adjust();
    EXPECT_EQ(adjust.rules[0], TimeRule::FromModification);
    EXPECT_EQ(adjust.rules[1], TimeRule::Shift);
    EXPECT_EQ(adjust.rules[2], TimeRule::FromCreation);
    // 1 day 2 hours 3 minutes 4 seconds = 93,784 s, back.
    EXPECT_EQ(adjust.offset, -937840000000);
    EXPECT_FALSE(logic->FoldersToo());

    Open();
    window->Choose(IDC_ADJUST_ACCESS, 3);
    Type(IDC_ADJUST_DAYS, "99999");
    Type(IDC_ADJUST_HOURS, "23");
    Type(IDC_ADJUST_MINUTES, "59");
    Type(IDC_ADJUST_SECONDS, "59");
    window->Choose(IDC_ADJUST_SIGN, 0);
    EXPECT_EQ(Press(kIdOk), kIdOk);
    // 99999 days 23:59:59 = 8,639,999,999 s, forward.
    EXPECT_EQ(logic->Adjust().offset, 86399999990000000);
}

// The choices come back at the next opening however the dialog was left;
// the folder box follows the main window's at each opening.
TEST_F(TimeAdjustDialogTest, ChoicesAreKeptFromOneOpeningToTheNext) {
    Open(false);
    window->Choose(IDC_ADJUST_MODIFIED, 3);
    window->Choose(IDC_ADJUST_SIGN, 1);
    Type(IDC_ADJUST_HOURS, "9");
    window->Choose(IDC_ADJUST_ACCESS, 2);
    window->Click(IDC_ADJUST_FOLDERS);
    EXPECT_EQ(logic->OnCommand(*window, kIdCancel, kBnClicked), kIdCancel);

    Open(false);
    EXPECT_EQ(window->GetListChoice(IDC_ADJUST_CREATION), 0);
    EXPECT_EQ(window->GetListChoice(IDC_ADJUST_MODIFIED), 3);
    EXPECT_EQ(window->GetListChoice(IDC_ADJUST_ACCESS), 2);
    EXPECT_EQ(window->GetListChoice(IDC_ADJUST_SIGN), 1);
    EXPECT_EQ(window->GetText(IDC_ADJUST_HOURS), "9");
    EXPECT_EQ(window->GetText(IDC_ADJUST_DAYS), "");
    EXPECT_EQ(window->GetCheck(IDC_ADJUST_FOLDERS), kUnchecked);
    EXPECT_TRUE(Runnable());
    Open(true);
    EXPECT_EQ(window->GetCheck(IDC_ADJUST_FOLDERS), kChecked);
}

}  // namespace
}  // namespace kelvo
