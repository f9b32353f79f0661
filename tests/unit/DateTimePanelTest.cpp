// The date and time panel on an in-memory window, wired the way the dialog
// wires it: EN_UPDATE of a date edit validates its row, a box click goes to
// OnRowBoxClicked. Corrections re-enter the validation through the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>

#include "panels/DateRowValidation.h"
#include "panels/DateTimePanel.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryWindow.h"
#include "tests/unit/ScopedTimeZone.h"
#include "resources/ControlGroups.h"

namespace kelvo {
namespace {

enum Row { kCreation, kModification, kAccess };

class DateTimePanelTest : public testing::Test {
protected:
    DateTimePanelTest() : panel(window, clock, initialised, monthLengthTexts) {
        for (const DateRowIds& ids : kDateRows) {
            for (int edit : ids.edits) window.MarkEdit(edit);
        }
        window.SetCommandHandler([this](int id, int code) {
            if (code == kEnUpdate && DateTimePanel::RowOfEdit(id) >= 0) {
                panel.ValidateDateRow(DateTimePanel::RowOfEdit(id));
            } else if (code == kBnClicked && DateTimePanel::RowOfBox(id) >= 0) {
                panel.OnRowBoxClicked(DateTimePanel::RowOfBox(id));
            }
        });
    }

    // Puts texts into a row without validating it (its box is cleared), then
    // ticks the box as the user would.
    void TickRowHolding(Row row, const DateRowTexts& texts) {
        window.SetCheck(kDateRows[row].box, kUnchecked);
        for (int field = 0; field < kDateFieldCount; ++field) window.SetText(Edit(row, field), texts[field]);
        window.Click(kDateRows[row].box);
    }

    DateRowTexts Texts(Row row) {
        DateRowTexts texts;
        for (int field = 0; field < kDateFieldCount; ++field) texts[field] = window.GetText(Edit(row, field));
        return texts;
    }

    static int Edit(Row row, int field) { return kDateRows[row].edits[field]; }
    static int Spin(Row row, int field) { return kDateRows[row].spins[field]; }

    MemoryWindow window;
    MemoryClock clock;
    int initialised = 1;
    std::array<std::string, 3> monthLengthTexts;
    DateTimePanel panel;
};

TEST_F(DateTimePanelTest, YearBeyondTheRangeChainComesToRestInFebruary2038) {
    TickRowHolding(kModification, {"2100", "2", "31", "12", "0", "0"});
    EXPECT_EQ(Texts(kModification), (DateRowTexts{"2038", "2", "28", "12", "0", "0"}));
    // The outer pass wrote "29" after the nested pass had already settled on
    // "28"; the pass that write triggered brought it back.
    EXPECT_EQ(window.ControlState(Edit(kModification, kDay)).texts,
              (std::vector<std::string>{"31", "28", "29", "28"}));
    EXPECT_EQ(monthLengthTexts[kModification], "28");
    EXPECT_EQ(window.ControlState(Spin(kModification, kDay)).spinHigh, 28);
}

TEST_F(DateTimePanelTest, TypingCorrectsInPlace) {
    TickRowHolding(kCreation, {"2004", "2", "10", "12", "30", "45"});
    EXPECT_TRUE(window.Type(Edit(kCreation, kMonth), "13"));
    EXPECT_EQ(window.GetText(Edit(kCreation, kMonth)), "12");
    EXPECT_TRUE(window.Type(Edit(kCreation, kHour), "07"));
    EXPECT_EQ(window.GetText(Edit(kCreation, kHour)), "7");
    EXPECT_TRUE(window.Type(Edit(kCreation, kMinute), "05"));
    EXPECT_EQ(window.GetText(Edit(kCreation, kMinute)), "05");
    EXPECT_TRUE(window.Type(Edit(kCreation, kYear), "1"));
    EXPECT_EQ(window.GetText(Edit(kCreation, kYear)), "1980");
}

TEST_F(DateTimePanelTest, DayFollowsMonthAndYear) {
    TickRowHolding(kAccess, {"2004", "2", "31", "0", "0", "0"});
    EXPECT_EQ(window.GetText(Edit(kAccess, kDay)), "29");
    EXPECT_EQ(window.ControlState(Spin(kAccess, kDay)).spinLow, 1);
    EXPECT_EQ(window.ControlState(Spin(kAccess, kDay)).spinHigh, 29);
    EXPECT_EQ(monthLengthTexts[kAccess], "29");

    EXPECT_TRUE(window.Type(Edit(kAccess, kYear), "2003"));
    EXPECT_EQ(window.GetText(Edit(kAccess, kDay)), "28");
    EXPECT_EQ(window.ControlState(Spin(kAccess, kDay)).spinHigh, 28);
    EXPECT_EQ(monthLengthTexts[kAccess], "28");
    EXPECT_EQ(monthLengthTexts[kCreation], "");
}

TEST_F(DateTimePanelTest, BlankDayKeepsSpinRangeAndMonthLength) {
    TickRowHolding(kCreation, {"2005", "4", "10", "0", "0", "0"});
    ASSERT_EQ(monthLengthTexts[kCreation], "30");
    EXPECT_TRUE(window.Type(Edit(kCreation, kDay), ""));
    EXPECT_TRUE(window.Type(Edit(kCreation, kMonth), "2"));
    EXPECT_EQ(monthLengthTexts[kCreation], "30");
    EXPECT_EQ(window.ControlState(Spin(kCreation, kDay)).spinHigh, 30);
}

TEST_F(DateTimePanelTest, ClearedFieldTurnsReadOnlyUntilASpinWritesIntoIt) {
    TickRowHolding(kCreation, {"2005", "4", "10", "0", "0", "0"});
    EXPECT_TRUE(window.Type(Edit(kCreation, kHour), ""));
    EXPECT_TRUE(window.ControlState(Edit(kCreation, kHour)).readOnly);
    EXPECT_FALSE(window.Type(Edit(kCreation, kHour), "5"));
    // A spin step writes its position into the edit as the program does.
    window.SetText(Edit(kCreation, kHour), "0");
    EXPECT_FALSE(window.ControlState(Edit(kCreation, kHour)).readOnly);
}

TEST_F(DateTimePanelTest, UpperEdgeLowersTheYearWhenTheSecondIsTyped) {
    TickRowHolding(kCreation, {"2038", "1", "19", "3", "14", "7"});
    EXPECT_EQ(window.GetText(Edit(kCreation, kYear)), "2038");
    EXPECT_TRUE(window.Type(Edit(kCreation, kSecond), "8"));
    EXPECT_EQ(Texts(kCreation), (DateRowTexts{"2037", "1", "19", "3", "14", "8"}));
}

TEST_F(DateTimePanelTest, NothingHappensBeforeInitialisationOrOnAClearedRow) {
    initialised = 0;
    window.SetCheck(kDateRows[kCreation].box, kChecked);
    window.SetText(Edit(kCreation, kMonth), "13");
    EXPECT_EQ(window.GetText(Edit(kCreation, kMonth)), "13");
    EXPECT_EQ(monthLengthTexts[kCreation], "");

    initialised = 1;
    window.SetText(Edit(kModification, kMonth), "13");
    window.SetText(Edit(kModification, kDay), "40");
    EXPECT_EQ(window.GetText(Edit(kModification, kMonth)), "13");
    EXPECT_FALSE(window.ControlState(Edit(kModification, kYear)).readOnly);
    EXPECT_EQ(monthLengthTexts[kModification], "");
}

TEST_F(DateTimePanelTest, EditableStateMakesEditsReadOnlyNeverDisabled) {
    panel.SetDateRowEditable(kUnchecked, kAccess);
    for (int field = 0; field < kDateFieldCount; ++field) {
        EXPECT_TRUE(window.ControlState(Edit(kAccess, field)).readOnly);
        EXPECT_TRUE(window.ControlState(Edit(kAccess, field)).enabled);
        EXPECT_FALSE(window.ControlState(Spin(kAccess, field)).enabled);
        EXPECT_FALSE(window.ControlState(Edit(kCreation, field)).readOnly);
    }
    panel.SetDateRowEditable(kChecked, kAccess);
    for (int field = 0; field < kDateFieldCount; ++field) {
        EXPECT_FALSE(window.ControlState(Edit(kAccess, field)).readOnly);
        EXPECT_TRUE(window.ControlState(Spin(kAccess, field)).enabled);
    }
    // Only the ticked state (exactly 1) counts as on.
    panel.SetDateRowEditable(kIndeterminate, kAccess);
    EXPECT_TRUE(window.ControlState(Edit(kAccess, kYear)).readOnly);
}

TEST_F(DateTimePanelTest, BoxClickTurnsRowOnAndOff) {
    TickRowHolding(kCreation, {"2005", "", "10", "", "0", "0"});
    EXPECT_FALSE(window.ControlState(Edit(kCreation, kYear)).readOnly);
    EXPECT_TRUE(window.ControlState(Edit(kCreation, kMonth)).readOnly);
    EXPECT_TRUE(window.ControlState(Edit(kCreation, kHour)).readOnly);
    EXPECT_TRUE(window.ControlState(Spin(kCreation, kMonth)).enabled);

    window.Click(kDateRows[kCreation].box);
    for (int field = 0; field < kDateFieldCount; ++field) {
        EXPECT_TRUE(window.ControlState(Edit(kCreation, field)).readOnly);
        EXPECT_FALSE(window.ControlState(Spin(kCreation, field)).enabled);
    }
    EXPECT_EQ(Texts(kCreation), (DateRowTexts{"2005", "", "10", "", "0", "0"}));
}

TEST_F(DateTimePanelTest, LimitsAndRangesOfEveryField) {
    panel.SetLimitsAndRanges();
    const int limits[kDateFieldCount] = {4, 2, 2, 2, 2, 2};
    const int lows[kDateFieldCount] = {1980, 1, 1, 0, 0, 0};
    const int highs[kDateFieldCount] = {2038, 12, 31, 23, 59, 59};
    for (Row row : {kCreation, kModification, kAccess}) {
        for (int field = 0; field < kDateFieldCount; ++field) {
            EXPECT_EQ(window.ControlState(Edit(row, field)).textLimit, limits[field]);
            EXPECT_EQ(window.ControlState(Spin(row, field)).spinLow, lows[field]);
            EXPECT_EQ(window.ControlState(Spin(row, field)).spinHigh, highs[field]);
        }
    }
}

TEST_F(DateTimePanelTest, ResetFillsEveryRowWithTheLocalTime) {
    ScopedTimeZone zone("JST-9");
    clock.SetNow(1112198523);  // 2005-03-31 01:02:03 in Tokyo
    TickRowHolding(kModification, {"2004", "2", "29", "23", "59", "59"});
    panel.SetDateRowEditable(kUnchecked, kCreation);
    window.SetCheck(kDateRows[kCreation].box, kUnchecked);

    panel.ResetDatesToNow();
    const DateRowTexts now = {"2005", "3", "31", "1", "2", "3"};
    EXPECT_EQ(Texts(kCreation), now);
    EXPECT_EQ(Texts(kModification), now);
    EXPECT_EQ(Texts(kAccess), now);
    // The ticked row passed through 2005-02-29 and was corrected on the way.
    EXPECT_EQ(window.ControlState(Edit(kModification, kDay)).texts,
              (std::vector<std::string>{"29", "28", "31"}));
    EXPECT_EQ(monthLengthTexts[kModification], "31");
    EXPECT_TRUE(window.ControlState(Edit(kCreation, kYear)).readOnly);
}

}  // namespace
}  // namespace kelvo
