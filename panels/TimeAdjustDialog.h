// The "日時の調整" dialog (template 103): the target as the main window
// holds it, one rule for each of the three times, one offset for every row
// that shifts, folders too or not, and the buttons that start the run or
// its preview. Its choices outlive the dialog: the main window keeps them
// from one opening to the next.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "items/TimeRules.h"
#include "platform/DialogLogic.h"
#include "resources/ResourceIds.h"

namespace kelvo {

// The offset's fields in the dialog's order: days, hours, minutes, seconds.
enum OffsetField { kOffsetDays, kOffsetHours, kOffsetMinutes, kOffsetSeconds, kOffsetFieldCount };

struct TimeAdjustChoices {
    // The chosen line of each row's list (0: "変更しない").
    std::array<int, kTimeKindCount> rows{0, 0, 0};
    bool minus = false;
    // As the user left them; a blank field reads as 0.
    std::array<std::string, kOffsetFieldCount> fields;
};

// A row's list: "変更しない", "…と同じにする" for each of the other two
// kinds, "ずらす"; and the rule a line of it stands for.
std::vector<std::string> RuleListTexts(TimeKind row);
TimeRule RuleOfLine(TimeKind row, int line);

// A field as the dialog leaves it: letters dropped, a number above `highest`
// made `highest`; blank stays blank.
std::string CorrectedField(const std::string& text, int highest);

// The choices as a job: each row's rule and the signed offset in 100 ns ticks.
TimeAdjust AdjustOfChoices(const TimeAdjustChoices& choices);

// Whether the job changes anything: some row copies a time, or some row
// shifts by an offset that isn't zero.
bool AdjustChangesTimes(const TimeAdjust& adjust);

class TimeAdjustDialog : public DialogLogic {
public:
    // What the dialog ends with besides kIdCancel: kIdOk runs the job,
    // kPreviewResult previews it.
    static constexpr int kPreviewResult = IDC_ADJUST_PREVIEW;

    TimeAdjustDialog(std::string target, bool foldersToo, TimeAdjustChoices& kept);

    void OnInit(Window& dialog) override;
    int OnCommand(Window& dialog, int id, int code) override;

    // As the dialog ended.
    const TimeAdjust& Adjust() const { return adjust_; }
    bool FoldersToo() const { return foldersToo_; }

private:
    TimeAdjustChoices Read(Window& dialog) const;
    void UpdateButtons(Window& dialog);
    // Keeps the choices and the job; the result passed through.
    int End(Window& dialog, int result);

    std::string target_;
    bool foldersToo_;
    TimeAdjustChoices& kept_;
    TimeAdjust adjust_;
};

}  // namespace kelvo
