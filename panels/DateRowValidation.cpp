// The in-place correction of one date row.
#include "panels/DateRowValidation.h"

#include "items/DecimalText.h"

namespace kelvo {

namespace {

// Month, day and hour lose a leading zero ("05" becomes "5"); minute and
// second keep what was typed.
bool DropsLeadingZero(int field) { return field == kMonth || field == kDay || field == kHour; }

std::string LeadingZeroCorrection(const std::string& text) {
    if (text.size() == 2 && text[0] == '0') return text.substr(1);
    return std::string();
}

// Year, month, hour, minute, second: the leading-zero rule, then the range's
// upper end before its lower end.
std::string RangeCorrection(int field, const std::string& text, int value) {
    std::string correction = DropsLeadingZero(field) ? LeadingZeroCorrection(text) : std::string();
    const DateFieldLimits& limits = kDateFieldLimits[field];
    if (value > limits.high) {
        correction = DecimalText(limits.high);
    } else if (value < limits.low) {
        correction = DecimalText(limits.low);
    }
    return correction;
}

std::string DayCorrection(const std::string& text, int value, int maximum) {
    std::string correction = LeadingZeroCorrection(text);
    if (value > maximum) correction = DecimalText(maximum);
    if (value < kDateFieldLimits[kDay].low) correction = DecimalText(kDateFieldLimits[kDay].low);
    return correction;
}

bool ReachesUpperEdge(const std::array<int, kDateFieldCount>& values) {
    for (int field = 0; field < kDateFieldCount; ++field) {
        if (values[field] < kUpperEdge[field]) return false;
    }
    return true;
}

}  // namespace

int DayMaximum(int month, int year) {
    switch (month) {
        case 2:
            return year % 4 == 0 ? 29 : 28;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

DateRowCheck CheckDateRow(const DateRowTexts& texts) {
    DateRowCheck check;
    // Blank fields count as 0 in every comparison below.
    std::array<int, kDateFieldCount> values{};
    for (int field = 0; field < kDateFieldCount; ++field) {
        check.readOnly[field] = texts[field].empty();
        if (!texts[field].empty()) values[field] = LeadingDecimalValue(texts[field]);
    }
    for (int field = 0; field < kDateFieldCount; ++field) {
        if (texts[field].empty()) continue;
        if (field == kDay) {
            check.dayChecked = true;
            // The values as entered, not as corrected: a nested pass settles the rest.
            check.dayMaximum = DayMaximum(values[kMonth], values[kYear]);
            check.corrections[kDay] = DayCorrection(texts[kDay], values[kDay], check.dayMaximum);
        } else {
            check.corrections[field] = RangeCorrection(field, texts[field], values[field]);
        }
    }
    if (!texts[kSecond].empty() && ReachesUpperEdge(values)) {
        check.corrections[kYear] = DecimalText(kYearBelowEdge);
    }
    return check;
}

}  // namespace kelvo
