#include "panels/TimeAdjustDialog.h"

#include <algorithm>
#include <utility>

#include "platform/WindowMessages.h"

namespace kelvo {

namespace {

constexpr int kRowLists[kTimeKindCount] = {IDC_ADJUST_CREATION, IDC_ADJUST_MODIFIED, IDC_ADJUST_ACCESS};
constexpr int kFieldEdits[kOffsetFieldCount] = {IDC_ADJUST_DAYS, IDC_ADJUST_HOURS, IDC_ADJUST_MINUTES,
                                                IDC_ADJUST_SECONDS};
constexpr int kFieldSpins[kOffsetFieldCount] = {IDC_ADJUST_DAYS_SPIN, IDC_ADJUST_HOURS_SPIN,
                                                IDC_ADJUST_MINUTES_SPIN, IDC_ADJUST_SECONDS_SPIN};
constexpr int kFieldHighest[kOffsetFieldCount] = {99999, 23, 59, 59};
constexpr int kFieldDigits[kOffsetFieldCount] = {5, 2, 2, 2};
// Seconds in one unit of each field.
constexpr int64_t kFieldSeconds[kOffsetFieldCount] = {86400, 3600, 60, 1};
constexpr int64_t kTicksPerSecond = 10000000;

const char* const kLeaveText = "変更しない";
const char* const kShiftText = "ずらす";
const char* const kSameAsTexts[kTimeKindCount] = {"作成日時と同じにする", "更新日時と同じにする",
                                                  "アクセス日と同じにする"};
const TimeRule kFromRules[kTimeKindCount] = {TimeRule::FromCreation, TimeRule::FromModification,
                                             TimeRule::FromAccess};
const char* const kSignTexts[] = {"+", "-"};

// The kinds a row can copy from, in the main window's order.
std::vector<TimeKind> SourcesOf(TimeKind row) {
    std::vector<TimeKind> sources;
    for (int kind = 0; kind < kTimeKindCount; ++kind) {
        if (kind != row) sources.push_back(static_cast<TimeKind>(kind));
    }
    return sources;
}

int FieldOfEdit(int id) {
    const int* found = std::find(std::begin(kFieldEdits), std::end(kFieldEdits), id);
    return found == std::end(kFieldEdits) ? -1 : static_cast<int>(found - std::begin(kFieldEdits));
}

bool IsRowList(int id) { return std::find(std::begin(kRowLists), std::end(kRowLists), id) != std::end(kRowLists); }

}  // namespace

std::vector<std::string> RuleListTexts(TimeKind row) {
    std::vector<std::string> texts{kLeaveText};
    for (TimeKind source : SourcesOf(row)) texts.push_back(kSameAsTexts[source]);
    texts.push_back(kShiftText);
    return texts;
}

TimeRule RuleOfLine(TimeKind row, int line) {
    const std::vector<TimeKind> sources = SourcesOf(row);
    if (line >= 1 && line <= static_cast<int>(sources.size())) return kFromRules[sources[line - 1]];
    if (line == static_cast<int>(sources.size()) + 1) return TimeRule::Shift;
    return TimeRule::Leave;
}

std::string CorrectedField(const std::string& text, int highest) {
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') digits += c;
    }
    if (digits.empty()) return digits;
    // Past its number of digits a value is above any field's highest; the
    // count alone says so, before the digits could overflow.
    const std::string most = std::to_string(highest);
    const size_t first = std::min(digits.find_first_not_of('0'), digits.size());
    const std::string significant = digits.substr(first);
    if (significant.size() > most.size() || (significant.size() == most.size() && significant > most)) return most;
    return digits;
}

TimeAdjust AdjustOfChoices(const TimeAdjustChoices& choices) {
    TimeAdjust adjust;
    for (int row = 0; row < kTimeKindCount; ++row) {
        adjust.rules[row] = RuleOfLine(static_cast<TimeKind>(row), choices.rows[row]);
    }
    int64_t seconds = 0;
    for (int field = 0; field < kOffsetFieldCount; ++field) {
        const std::string text = CorrectedField(choices.fields[field], kFieldHighest[field]);
        if (!text.empty()) seconds += std::stoll(text) * kFieldSeconds[field];
    }
    adjust.offset = (choices.minus ? -seconds : seconds) * kTicksPerSecond;
    return adjust;
}

bool AdjustChangesTimes(const TimeAdjust& adjust) {
    return std::any_of(adjust.rules.begin(), adjust.rules.end(), [&adjust](TimeRule rule) {
        return rule == TimeRule::Shift ? adjust.offset != 0 : rule != TimeRule::Leave;
    });
}

TimeAdjustDialog::TimeAdjustDialog(std::string target, bool foldersToo, TimeAdjustChoices& kept)
    : target_(std::move(target)), foldersToo_(foldersToo), kept_(kept) {}

void TimeAdjustDialog::OnInit(Window& dialog) {
    dialog.SetText(IDC_ADJUST_TARGET, target_);
    for (int row = 0; row < kTimeKindCount; ++row) {
        dialog.SetListItems(kRowLists[row], RuleListTexts(static_cast<TimeKind>(row)));
        dialog.SetListChoice(kRowLists[row], kept_.rows[row]);
    }
    dialog.SetListItems(IDC_ADJUST_SIGN, {kSignTexts[0], kSignTexts[1]});
    dialog.SetListChoice(IDC_ADJUST_SIGN, kept_.minus ? 1 : 0);
    for (int field = 0; field < kOffsetFieldCount; ++field) {
        dialog.LimitText(kFieldEdits[field], kFieldDigits[field]);
        dialog.SetSpinRange(kFieldSpins[field], 0, kFieldHighest[field]);
        dialog.SetText(kFieldEdits[field], kept_.fields[field]);
    }
    dialog.SetCheck(IDC_ADJUST_FOLDERS, foldersToo_ ? kChecked : kUnchecked);
    UpdateButtons(dialog);
}

int TimeAdjustDialog::OnCommand(Window& dialog, int id, int code) {
    if (id == kIdCancel) return End(dialog, kIdCancel);
    if ((id == kIdOk || id == kPreviewResult) && code == kBnClicked) {
        // Enter reaches the default button even while it is greyed.
        if (!AdjustChangesTimes(AdjustOfChoices(Read(dialog)))) return kDialogStaysOpen;
        return End(dialog, id);
    }
    const int field = FieldOfEdit(id);
    if (field >= 0 && code == kEnUpdate) {
        const std::string text = dialog.GetText(id);
        const std::string corrected = CorrectedField(text, kFieldHighest[field]);
        if (corrected != text) dialog.SetText(id, corrected);
        UpdateButtons(dialog);
    } else if ((IsRowList(id) || id == IDC_ADJUST_SIGN) && code == kCbnSelChange) {
        UpdateButtons(dialog);
    }
    return kDialogStaysOpen;
}

TimeAdjustChoices TimeAdjustDialog::Read(Window& dialog) const {
    TimeAdjustChoices choices;
    for (int row = 0; row < kTimeKindCount; ++row) choices.rows[row] = std::max(0, dialog.GetListChoice(kRowLists[row]));
    choices.minus = dialog.GetListChoice(IDC_ADJUST_SIGN) == 1;
    for (int field = 0; field < kOffsetFieldCount; ++field) choices.fields[field] = dialog.GetText(kFieldEdits[field]);
    return choices;
}

void TimeAdjustDialog::UpdateButtons(Window& dialog) {
    const bool changes = AdjustChangesTimes(AdjustOfChoices(Read(dialog)));
    dialog.Enable(kIdOk, changes);
    dialog.Enable(kPreviewResult, changes);
}

int TimeAdjustDialog::End(Window& dialog, int result) {
    kept_ = Read(dialog);
    adjust_ = AdjustOfChoices(kept_);
    foldersToo_ = dialog.GetCheck(IDC_ADJUST_FOLDERS) == kChecked;
    return result;
}

}  // namespace kelvo
