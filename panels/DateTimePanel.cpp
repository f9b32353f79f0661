// The date and time panel on the window: reads the row's texts, sets the
// fields' states and writes the corrections back.
#include "panels/DateTimePanel.h"

#include "items/DecimalText.h"
#include "panels/DateRowValidation.h"
#include "resources/ControlGroups.h"

namespace kelvo {

DateTimePanel::DateTimePanel(Window& window, Clock& clock, const int& initialised,
                             std::array<std::string, 3>& monthLengthTexts)
    : window_(window), clock_(clock), initialised_(initialised), monthLengthTexts_(monthLengthTexts) {}

void DateTimePanel::SetLimitsAndRanges() {
    for (const DateRowIds& ids : kDateRows) {
        for (int field = 0; field < kDateFieldCount; ++field) {
            window_.LimitText(ids.edits[field], kDateFieldLimits[field].maxChars);
        }
    }
    for (const DateRowIds& ids : kDateRows) {
        for (int field = 0; field < kDateFieldCount; ++field) {
            window_.SetSpinRange(ids.spins[field], kDateFieldLimits[field].low, kDateFieldLimits[field].high);
        }
    }
}

void DateTimePanel::ValidateDateRow(int row) {
    if (row < 0 || row > 2) return;
    const DateRowIds& ids = kDateRows[row];
    if (initialised_ != 1 || window_.GetCheck(ids.box) != kChecked) return;
    // Local to this pass: each write-back below re-enters this operation
    // through the edit's EN_UPDATE, and the nested pass reads the texts anew.
    DateRowTexts texts;
    for (int field = 0; field < kDateFieldCount; ++field) texts[field] = window_.GetText(ids.edits[field]);
    const DateRowCheck check = CheckDateRow(texts);
    ApplyFieldStates(row, check);
    for (int field = 0; field < kDateFieldCount; ++field) {
        if (!check.corrections[field].empty()) window_.SetText(ids.edits[field], check.corrections[field]);
    }
}

void DateTimePanel::ApplyFieldStates(int row, const DateRowCheck& check) {
    const DateRowIds& ids = kDateRows[row];
    for (int field = 0; field < kDateFieldCount; ++field) {
        if (field == kDay && check.dayChecked) {
            window_.SetSpinRange(ids.spins[kDay], kDateFieldLimits[kDay].low, check.dayMaximum);
            monthLengthTexts_[row] = DecimalText(check.dayMaximum);
        }
        window_.SetReadOnly(ids.edits[field], check.readOnly[field]);
    }
}

void DateTimePanel::SetDateRowEditable(int state, int row) {
    if (row < 0 || row > 2) return;
    const DateRowIds& ids = kDateRows[row];
    for (int edit : ids.edits) window_.SetReadOnly(edit, state != kChecked);
    for (int spin : ids.spins) window_.Enable(spin, state == kChecked);
}

void DateTimePanel::OnRowBoxClicked(int row) {
    if (row < 0 || row > 2) return;
    SetDateRowEditable(window_.GetCheck(kDateRows[row].box), row);
    ValidateDateRow(row);
}

void DateTimePanel::ResetDatesToNow() {
    CalendarFields now;
    if (!clock_.UtcToLocal(clock_.Now(), now)) return;
    const int values[kDateFieldCount] = {now.year, now.month, now.day, now.hour, now.minute, now.second};
    // Field by field across the rows, so each row passes through the same
    // intermediate states and ends at exactly the current time.
    for (int field = 0; field < kDateFieldCount; ++field) {
        const std::string text = DecimalText(values[field]);
        for (const DateRowIds& ids : kDateRows) window_.SetText(ids.edits[field], text);
    }
}

int DateTimePanel::RowOfEdit(int id) {
    for (int row = 0; row < 3; ++row) {
        for (int edit : kDateRows[row].edits) {
            if (edit == id) return row;
        }
    }
    return -1;
}

int DateTimePanel::RowOfBox(int id) {
    for (int row = 0; row < 3; ++row) {
        if (kDateRows[row].box == id) return row;
    }
    return -1;
}

}  // namespace kelvo
