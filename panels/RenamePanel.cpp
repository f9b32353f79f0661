// The rename panel's behaviour: switching the rules on and off, the mode
// captions, and the filter that keeps the rule texts fit for a file name.
#include "panels/RenamePanel.h"

#include "platform/Cp932Text.h"
#include "resources/ControlGroups.h"

namespace kelvo {

namespace {

// Characters that can't stand in a file name, or that would make a rule
// text a path or a wildcard. "|" is left to the file system to refuse.
bool IsForbiddenNameChar(char c) {
    switch (c) {
        case '\\':
        case '/':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
            return true;
        default:
            return false;
    }
}

// The four add/delete edits and the four replace edits: the panel makes
// them read-only rather than disabled, so their texts stay readable.
constexpr int kAddDeleteEdits[4] = {IDC_TITLE_HEAD, IDC_TITLE_TAIL, IDC_EXT_HEAD, IDC_EXT_TAIL};
constexpr int kReplaceEdits[4] = {IDC_TITLE_WHAT, IDC_TITLE_WITH, IDC_EXT_WHAT, IDC_EXT_WITH};

}  // namespace

int StripNameChars(std::string& text) {
    std::string kept;
    kept.reserve(text.size());
    int removed = 0;
    // Walking by characters keeps a double-byte character whole even when its
    // trail byte has the value of one of the forbidden characters.
    for (size_t i = 0; i < text.size();) {
        size_t length = CharLength(text, i);
        if (length == 1 && IsForbiddenNameChar(text[i])) {
            ++removed;
        } else {
            kept.append(text, i, length);
        }
        i += length;
    }
    if (removed > 0) text = kept;
    return removed;
}

RenamePanel::RenamePanel(Window& window) : window_(window) {}

void RenamePanel::ApplyRenameEnable() {
    bool on = window_.GetCheck(IDC_RENAME_ON) != kUnchecked;
    window_.SetText(IDC_RENAME_ON, on ? "有効(&H)" : "無効(&H)");
    window_.Enable(IDC_RENAME_MODE, on);
    for (int id : kAddDeleteEdits) window_.SetReadOnly(id, !on);
    window_.Enable(IDC_REPLACE_LABEL, on);
    for (int id : kReplaceEdits) window_.SetReadOnly(id, !on);
    ApplyRenameMode();
    if (window_.GetCheck(IDC_RENAME_ON) == kChecked) {
        // Locks each replacement edit again whose search text is empty.
        OnRuleTextChanged(IDC_EXT_WHAT);
        OnRuleTextChanged(IDC_TITLE_WHAT);
    }
    window_.Enable(IDC_SAVE_RENAME, on);
}

void RenamePanel::ApplyRenameMode() {
    bool deleting = window_.GetCheck(IDC_RENAME_MODE) != kUnchecked;
    window_.SetText(IDC_RENAME_MODE, deleting ? "削除 :" : "追加 :");
    const char* picture = deleting ? "- * -" : "+ * +";
    window_.SetText(IDC_TITLE_PICTURE, picture);
    window_.SetText(IDC_EXT_PICTURE, picture);
}

void RenamePanel::OnRuleTextChanged(int id) {
    if (!IsRuleEdit(id)) return;
    std::string text = window_.GetText(id);
    // Putting the text back is itself a change of the edit and comes back
    // here; it then finds nothing to remove, so it is written only once.
    if (StripNameChars(text) > 0) window_.SetText(id, text);
    if (id == IDC_TITLE_WHAT) window_.SetReadOnly(IDC_TITLE_WITH, text.empty());
    if (id == IDC_EXT_WHAT) window_.SetReadOnly(IDC_EXT_WITH, text.empty());
}

bool RenamePanel::IsRuleEdit(int id) {
    for (int edit : kRenameEdits) {
        if (edit == id) return true;
    }
    return false;
}

}  // namespace kelvo
