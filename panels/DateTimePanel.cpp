#include "panels/DateTimePanel.h"

#include "resources/ControlGroups.h"

namespace kelvo {

// The panel's behaviour is being built; these keep the window usable meanwhile.
DateTimePanel::DateTimePanel(Window& window, Clock& clock, const int& initialised,
                             std::array<std::string, 3>& monthLengthTexts)
    : window_(window), clock_(clock), initialised_(initialised), monthLengthTexts_(monthLengthTexts) {}

void DateTimePanel::SetLimitsAndRanges() {}
void DateTimePanel::ValidateDateRow(int) {}
void DateTimePanel::SetDateRowEditable(int, int) {}
void DateTimePanel::OnRowBoxClicked(int) {}
void DateTimePanel::ResetDatesToNow() {}

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
