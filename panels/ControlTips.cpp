// Tip texts of the main window's controls: a table for the texts that never
// change, and the state-dependent ones worded from TipState at each request.
#include "panels/ControlTips.h"

#include "resources/ControlGroups.h"

namespace kelvo {
namespace {

struct FixedTip {
    int id;
    const char* text;
};

constexpr FixedTip kFixedTips[] = {
    {IDC_EXIT, "終了します"},
    {IDC_PATH, "このフォルダ以下の全てのファイル＆フォルダが処理対象です"},
    {IDC_CURRENT_DIR, "上のパスをカレントディレクトリ(このプログラムの場所)にします"},
    {IDC_CREATION_BOX, "作成日時を変更します(各項目を無記入で日時無変更)"},
    {IDC_MODIFIED_BOX, "更新日時を変更します(各項目を無記入で日時無変更)"},
    {IDC_ACCESS_BOX, "アクセス日を変更します(各項目を無記入で日時無変更)"},
    {IDC_ALWAYS_ON_TOP, "常に手前に表示します"},
    {IDC_RESET_DATES, "現在の日付にリセットします"},
    {IDC_TITLE_WHAT, "ファイルタイトル名(置き換えたい文字列)"},
    {IDC_TITLE_WITH, "ファイルタイトル名(置き換える文字列)"},
    {IDC_EXT_WHAT, "拡張子名(置き換えたい文字列)"},
    {IDC_EXT_WITH, "拡張子名(置き換える文字列)"},
    {IDC_SAVE_RENAME, "リネーム項目の設定を保存します"},
};

// Per attribute box: unticked, ticked, indeterminate.
constexpr const char* kAttributeTips[4][3] = {
    {"読み取り専用属性ではなくします", "読み取り専用属性にします", "読み取り専用属性は変更しません"},
    {"隠しファイル属性ではなくします", "隠しファイル属性にします", "隠しファイル属性は変更しません"},
    {"アーカイブ属性ではなくします", "アーカイブ属性にします", "アーカイブ属性は変更しません"},
    {"システム属性ではなくします", "システム属性にします", "システム属性は変更しません"},
};

// Per head and tail rule edit: add mode, delete mode.
struct RuleTip {
    int id;
    const char* addText;
    const char* deleteText;
};
constexpr RuleTip kRuleTips[] = {
    {IDC_TITLE_HEAD, "ファイルタイトル名の先頭に追加する文字列", "ファイルタイトル名の先頭から削除する文字列"},
    {IDC_TITLE_TAIL, "ファイルタイトル名の末尾に追加する文字列", "ファイルタイトル名の末尾から削除する文字列"},
    {IDC_EXT_HEAD, "拡張子名の先頭に追加する文字列", "拡張子名の先頭から削除する文字列"},
    {IDC_EXT_TAIL, "拡張子名の末尾に追加する文字列", "拡張子名の末尾から削除する文字列"},
};

// The day field is left out: its text carries the row's month length.
constexpr const char* kDateFieldTips[kDateFieldCount] = {
    "年を設定します(1980-2038)", nullptr, nullptr, "時間を設定します(0-23)", "分を設定します(0-59)",
    "秒を設定します(0-59)",
};

TipText Tip(const std::string& text) { return {true, text}; }

// The two-state boxes read BST_CHECKED as the only "on".
const char* ByCheck(int check, const char* off, const char* on) { return check == kChecked ? on : off; }

bool DateFieldTip(int id, const TipState& state, TipText& tip) {
    for (int row = 0; row < 3; ++row) {
        for (int field = 0; field < kDateFieldCount; ++field) {
            if (kDateRows[row].edits[field] != id && kDateRows[row].spins[field] != id) continue;
            if (field == kMonth) {
                tip = Tip("月を設定します(1-12)");
            } else if (field == kDay) {
                tip = Tip("日を設定します(1-" + state.monthLengthTexts[row] + ")");
            } else {
                tip = Tip(kDateFieldTips[field]);
            }
            return true;
        }
    }
    return false;
}

}  // namespace

TipText ControlTip(int id, const TipState& state) {
    for (const FixedTip& fixed : kFixedTips) {
        if (fixed.id == id) return Tip(fixed.text);
    }
    for (int i = 0; i < 4; ++i) {
        if (kAttributeBoxes[i] != id) continue;
        int check = state.attributeChecks[i];
        int column = check == kChecked ? 1 : check == kIndeterminate ? 2 : 0;
        return Tip(kAttributeTips[i][column]);
    }
    for (const RuleTip& rule : kRuleTips) {
        if (rule.id == id) return Tip(ByCheck(state.renameModeCheck, rule.addText, rule.deleteText));
    }
    switch (id) {
        case IDC_START:
            return Tip(state.running ? "キャンセルします" : "この設定に従い変更します");
        case IDC_FOLDERS_TOO:
            return Tip(ByCheck(state.foldersCheck, "選択した属性をフォルダには適用しません",
                               "選択した属性をフォルダにも適用します"));
        case IDC_RENAME_ON:
            return Tip(ByCheck(state.renameOnCheck, "リネーム項目を有効にします", "リネーム項目を無効にします"));
        case IDC_RENAME_MODE:
            return Tip(ByCheck(state.renameModeCheck, "削除モードに切り替える", "追加モードに切り替える"));
        default:
            break;
    }
    TipText tip;
    DateFieldTip(id, state, tip);
    return tip;
}

TipState ReadTipState(Window& window, bool running, const std::array<std::string, 3>& monthLengthTexts) {
    TipState state;
    for (int i = 0; i < 4; ++i) state.attributeChecks[i] = window.GetCheck(kAttributeBoxes[i]);
    state.foldersCheck = window.GetCheck(IDC_FOLDERS_TOO);
    state.renameOnCheck = window.GetCheck(IDC_RENAME_ON);
    state.renameModeCheck = window.GetCheck(IDC_RENAME_MODE);
    state.running = running;
    state.monthLengthTexts = monthLengthTexts;
    return state;
}

}  // namespace kelvo
