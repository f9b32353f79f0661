// Tip texts of the main window's controls: every listed control in every
// state, the day tips with the row's month length, the controls that show no
// tip, and the size limit of the platform's tip buffer.
#include <gtest/gtest.h>

#include <set>

#include "panels/ControlTips.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"

namespace kelvo {
namespace {

// Which box a row's state goes into before asking for the tip.
enum StateSlot { kNone, kAttr0, kAttr1, kAttr2, kAttr3, kFolders, kRenameOn, kRenameMode, kRunning };

struct TipCase {
    const char* name;
    int id;
    StateSlot slot;
    int value;
    const char* expected;
};

void SetSlot(TipState& state, StateSlot slot, int value) {
    switch (slot) {
        case kAttr0: case kAttr1: case kAttr2: case kAttr3: state.attributeChecks[slot - kAttr0] = value; break;
        case kFolders: state.foldersCheck = value; break;
        case kRenameOn: state.renameOnCheck = value; break;
        case kRenameMode: state.renameModeCheck = value; break;
        case kRunning: state.running = value != 0; break;
        case kNone: break;
    }
}

TipState StateWith(StateSlot slot, int value) {
    TipState state;
    state.monthLengthTexts = {"31", "30", "28"};
    SetSlot(state, slot, value);
    return state;
}

const TipCase kTipCases[] = {
    {"StartIdle", IDC_START, kRunning, 0, "この設定に従い変更します"},
    {"StartRunning", IDC_START, kRunning, 1, "キャンセルします"},
    {"Exit", IDC_EXIT, kNone, 0, "終了します"},
    {"ReadOnlyUnticked", IDC_READ_ONLY, kAttr0, 0, "読み取り専用属性ではなくします"},
    {"ReadOnlyTicked", IDC_READ_ONLY, kAttr0, 1, "読み取り専用属性にします"},
    {"ReadOnlyIndeterminate", IDC_READ_ONLY, kAttr0, 2, "読み取り専用属性は変更しません"},
    {"HiddenUnticked", IDC_HIDDEN, kAttr1, 0, "隠しファイル属性ではなくします"},
    {"HiddenTicked", IDC_HIDDEN, kAttr1, 1, "隠しファイル属性にします"},
    {"HiddenIndeterminate", IDC_HIDDEN, kAttr1, 2, "隠しファイル属性は変更しません"},
    {"ArchiveUnticked", IDC_ARCHIVE, kAttr2, 0, "アーカイブ属性ではなくします"},
    {"ArchiveTicked", IDC_ARCHIVE, kAttr2, 1, "アーカイブ属性にします"},
    {"ArchiveIndeterminate", IDC_ARCHIVE, kAttr2, 2, "アーカイブ属性は変更しません"},
    {"SystemUnticked", IDC_SYSTEM, kAttr3, 0, "システム属性ではなくします"},
    {"SystemTicked", IDC_SYSTEM, kAttr3, 1, "システム属性にします"},
    {"SystemIndeterminate", IDC_SYSTEM, kAttr3, 2, "システム属性は変更しません"},
    {"PathEdit", IDC_PATH, kNone, 0, "このフォルダ以下の全てのファイル＆フォルダが処理対象です"},
    {"CurrentDirBox", IDC_CURRENT_DIR, kNone, 0, "上のパスをカレントディレクトリ(このプログラムの場所)にします"},
    {"CreationBox", IDC_CREATION_BOX, kNone, 0, "作成日時を変更します(各項目を無記入で日時無変更)"},
    {"ModifiedBox", IDC_MODIFIED_BOX, kNone, 0, "更新日時を変更します(各項目を無記入で日時無変更)"},
    {"AccessBox", IDC_ACCESS_BOX, kNone, 0, "アクセス日を変更します(各項目を無記入で日時無変更)"},
    {"FoldersUnticked", IDC_FOLDERS_TOO, kFolders, 0, "選択した属性をフォルダには適用しません"},
    {"FoldersTicked", IDC_FOLDERS_TOO, kFolders, 1, "選択した属性をフォルダにも適用します"},
    {"AlwaysOnTop", IDC_ALWAYS_ON_TOP, kNone, 0, "常に手前に表示します"},
    {"Reset", IDC_RESET_DATES, kNone, 0, "現在の日付にリセットします"},
    {"RenameOnUnticked", IDC_RENAME_ON, kRenameOn, 0, "リネーム項目を有効にします"},
    {"RenameOnTicked", IDC_RENAME_ON, kRenameOn, 1, "リネーム項目を無効にします"},
    {"ModeAdd", IDC_RENAME_MODE, kRenameMode, 0, "削除モードに切り替える"},
    {"ModeDelete", IDC_RENAME_MODE, kRenameMode, 1, "追加モードに切り替える"},
    {"TitleHeadAdd", IDC_TITLE_HEAD, kRenameMode, 0, "ファイルタイトル名の先頭に追加する文字列"},
    {"TitleHeadDelete", IDC_TITLE_HEAD, kRenameMode, 1, "ファイルタイトル名の先頭から削除する文字列"},
    {"TitleTailAdd", IDC_TITLE_TAIL, kRenameMode, 0, "ファイルタイトル名の末尾に追加する文字列"},
    {"TitleTailDelete", IDC_TITLE_TAIL, kRenameMode, 1, "ファイルタイトル名の末尾から削除する文字列"},
    {"ExtHeadAdd", IDC_EXT_HEAD, kRenameMode, 0, "拡張子名の先頭に追加する文字列"},
    {"ExtHeadDelete", IDC_EXT_HEAD, kRenameMode, 1, "拡張子名の先頭から削除する文字列"},
    {"ExtTailAdd", IDC_EXT_TAIL, kRenameMode, 0, "拡張子名の末尾に追加する文字列"},
    {"ExtTailDelete", IDC_EXT_TAIL, kRenameMode, 1, "拡張子名の末尾から削除する文字列"},
    {"TitleWhat", IDC_TITLE_WHAT, kNone, 0, "ファイルタイトル名(置き換えたい文字列)"},
    {"TitleWith", IDC_TITLE_WITH, kNone, 0, "ファイルタイトル名(置き換える文字列)"},
    {"ExtWhat", IDC_EXT_WHAT, kNone, 0, "拡張子名(置き換えたい文字列)"},
    {"ExtWith", IDC_EXT_WITH, kNone, 0, "拡張子名(置き換える文字列)"},
    {"SaveRename", IDC_SAVE_RENAME, kNone, 0, "リネーム項目の設定を保存します"},
};

class ControlTipTable : public ::testing::TestWithParam<TipCase> {};

TEST_P(ControlTipTable, GivesTheTextOfTheCurrentState) {
    const TipCase& c = GetParam();
    TipText tip = ControlTip(c.id, StateWith(c.slot, c.value));
    EXPECT_TRUE(tip.applies);
    EXPECT_EQ(tip.text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(EveryListedControl, ControlTipTable, ::testing::ValuesIn(kTipCases),
                         [](const ::testing::TestParamInfo<TipCase>& info) { return std::string(info.param.name); });

// A tip reads only its own state: changing any other box leaves it alone.
TEST(ControlTips, TextsIgnoreOtherControlsStates) {
    for (const TipCase& c : kTipCases) {
        for (int slot = kAttr0; slot <= kRunning; ++slot) {
            if (slot == c.slot) continue;
            for (int value = 0; value <= 2; ++value) {
                TipState state = StateWith(c.slot, c.value);
                SetSlot(state, static_cast<StateSlot>(slot), value);
                EXPECT_EQ(ControlTip(c.id, state).text, c.expected) << c.name << " slot " << slot << " value " << value;
            }
        }
    }
}

struct DateFieldCase {
    DateField field;
    const char* expected;  // nullptr: the day tip
};

const DateFieldCase kDateFieldCases[] = {
    {kYear, "年を設定します(1980-2038)"}, {kMonth, "月を設定します(1-12)"}, {kDay, nullptr},
    {kHour, "時間を設定します(0-23)"},    {kMinute, "分を設定します(0-59)"}, {kSecond, "秒を設定します(0-59)"},
};

TEST(ControlTips, DateFieldsAndSpinsOfEveryRow) {
    TipState state = StateWith(kNone, 0);
    state.monthLengthTexts = {"31", "30", "28"};
    const char* dayTips[3] = {"日を設定します(1-31)", "日を設定します(1-30)", "日を設定します(1-28)"};
    for (int row = 0; row < 3; ++row) {
        for (const DateFieldCase& c : kDateFieldCases) {
            std::string expected = c.expected ? c.expected : dayTips[row];
            for (int id : {kDateRows[row].edits[c.field], kDateRows[row].spins[c.field]}) {
                TipText tip = ControlTip(id, state);
                EXPECT_TRUE(tip.applies) << id;
                EXPECT_EQ(tip.text, expected) << "row " << row << " id " << id;
            }
        }
    }
}

TEST(ControlTips, DayTipFollowsALeapYearFebruary) {
    TipState state = StateWith(kNone, 0);
    state.monthLengthTexts = {"31", "29", "31"};
    EXPECT_EQ(ControlTip(IDC_MODIFIED_DAY, state).text, "日を設定します(1-29)");
    EXPECT_EQ(ControlTip(IDC_MODIFIED_DAY_SPIN, state).text, "日を設定します(1-29)");
    EXPECT_EQ(ControlTip(IDC_CREATION_DAY, state).text, "日を設定します(1-31)");
    state.monthLengthTexts[1] = "28";
    EXPECT_EQ(ControlTip(IDC_MODIFIED_DAY, state).text, "日を設定します(1-28)");
}

// Labels, group boxes, the status text, and ids the window doesn't have.
const int kNoTipIds[] = {
    IDC_PATH_LABEL,           IDC_OPTIONS_GROUP,        IDC_ATTRIBUTES_GROUP,     IDC_DATES_GROUP,
    IDC_RENAME_GROUP,         IDC_CREATION_YEAR_LABEL,  IDC_CREATION_MONTH_LABEL, IDC_CREATION_DAY_LABEL,
    IDC_CREATION_HOUR_LABEL,  IDC_CREATION_MINUTE_LABEL, IDC_MODIFIED_YEAR_LABEL, IDC_MODIFIED_MONTH_LABEL,
    IDC_MODIFIED_DAY_LABEL,   IDC_MODIFIED_HOUR_LABEL,  IDC_MODIFIED_MINUTE_LABEL, IDC_ACCESS_YEAR_LABEL,
    IDC_ACCESS_MONTH_LABEL,   IDC_ACCESS_DAY_LABEL,     IDC_ACCESS_HOUR_LABEL,    IDC_ACCESS_MINUTE_LABEL,
    IDC_TITLE_PICTURE,        IDC_DOT_PICTURE,          IDC_EXT_PICTURE,          IDC_REPLACE_LABEL,
    IDC_TITLE_REPLACE_PICTURE, IDC_EXT_REPLACE_PICTURE, IDC_STATUS,               0,
    -1,                       3,                        999,                      1005,
    1009,                     1097,
};

TEST(ControlTips, LabelsGroupsStatusAndUnknownIdsGiveNoText) {
    for (int id : kNoTipIds) {
        for (int value = 0; value <= 2; ++value) {
            TipText tip = ControlTip(id, StateWith(kRenameMode, value));
            EXPECT_FALSE(tip.applies) << id;
            EXPECT_EQ(tip.text, "") << id;
        }
    }
}

// Of the 88 controls in the window, 27 are labels, group boxes or the status
// text; exactly the other 61 get a text, and no id outside the window does.
TEST(ControlTips, EveryWorkingControlOfTheWindowHasATip) {
    std::set<int> withTip;
    for (int id = -1; id <= 1200; ++id) {
        if (ControlTip(id, StateWith(kNone, 0)).applies) withTip.insert(id);
    }
    std::set<int> expected;
    for (const TipCase& c : kTipCases) expected.insert(c.id);
    for (const DateRowIds& row : kDateRows) {
        for (int field = 0; field < kDateFieldCount; ++field) {
            expected.insert(row.edits[field]);
            expected.insert(row.spins[field]);
        }
    }
    EXPECT_EQ(withTip, expected);
    EXPECT_EQ(withTip.size(), 88u - 27u);
}

TEST(ControlTips, EveryTextFitsTheTipBufferWithItsTerminator) {
    size_t longest = 0;
    for (int id = -1; id <= 1200; ++id) {
        for (int slot = kNone; slot <= kRunning; ++slot) {
            for (int value = 0; value <= 2; ++value) {
                TipState state = StateWith(static_cast<StateSlot>(slot), value);
                state.monthLengthTexts = {"31", "31", "31"};
                std::string text = ControlTip(id, state).text;
                EXPECT_LE(text.size() + 1, static_cast<size_t>(kTipTextBufferSize)) << id;
                longest = std::max(longest, text.size());
            }
        }
    }
    // The path-choice box has the longest; 60 bytes in code page 932.
    EXPECT_EQ(longest, 60u);
    EXPECT_EQ(ControlTip(IDC_CURRENT_DIR, TipState()).text.size(), 60u);
    TipState state;
    state.monthLengthTexts = {"31", "31", "31"};
    EXPECT_EQ(ControlTip(IDC_CREATION_DAY, state).text.size(), 20u);
}

TEST(ControlTips, StateIsReadFromTheWindowAtEachRequest) {
    MemoryWindow window;
    for (int id : kAttributeBoxes) window.SetCheck(id, kIndeterminate);
    std::array<std::string, 3> months = {"31", "30", "29"};

    EXPECT_EQ(ControlTip(IDC_READ_ONLY, ReadTipState(window, false, months)).text, "読み取り専用属性は変更しません");
    window.Click(IDC_READ_ONLY, true);  // indeterminate -> unticked
    window.Click(IDC_READ_ONLY, true);  // -> ticked
    EXPECT_EQ(ControlTip(IDC_READ_ONLY, ReadTipState(window, false, months)).text, "読み取り専用属性にします");

    window.SetCheck(IDC_SYSTEM, kUnchecked);
    window.Click(IDC_FOLDERS_TOO);
    window.Click(IDC_RENAME_ON);
    window.Click(IDC_RENAME_MODE);
    TipState state = ReadTipState(window, true, months);
    EXPECT_EQ(ControlTip(IDC_SYSTEM, state).text, "システム属性ではなくします");
    EXPECT_EQ(ControlTip(IDC_HIDDEN, state).text, "隠しファイル属性は変更しません");
    EXPECT_EQ(ControlTip(IDC_FOLDERS_TOO, state).text, "選択した属性をフォルダにも適用します");
    EXPECT_EQ(ControlTip(IDC_RENAME_ON, state).text, "リネーム項目を無効にします");
    EXPECT_EQ(ControlTip(IDC_EXT_TAIL, state).text, "拡張子名の末尾から削除する文字列");
    EXPECT_EQ(ControlTip(IDC_START, state).text, "キャンセルします");
    EXPECT_EQ(ControlTip(IDC_ACCESS_DAY_SPIN, state).text, "日を設定します(1-29)");
}

}  // namespace
}  // namespace kelvo
