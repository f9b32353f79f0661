// The correction of one date row as plain logic: clamps, the leading-zero
// rule, the day maximum, blank fields and the upper edge of the time range.
#include <gtest/gtest.h>

#include <string>

#include "items/DecimalText.h"
#include "panels/DateRowValidation.h"

namespace kelvo {
namespace {

// A row that needs no correction; the cases change a few fields of it.
const DateRowTexts kSoundRow = {"2004", "6", "15", "12", "30", "45"};

DateRowTexts Row(std::initializer_list<std::pair<DateField, std::string>> changes) {
    DateRowTexts texts = kSoundRow;
    for (const auto& [field, text] : changes) texts[field] = text;
    return texts;
}

using Corrections = std::array<std::string, kDateFieldCount>;

struct CorrectionCase {
    const char* name;
    DateRowTexts texts;
    Corrections expected;
};

class DateRowCorrection : public testing::TestWithParam<CorrectionCase> {};

TEST_P(DateRowCorrection, WritesBackExactlyTheseTexts) {
    const CorrectionCase& c = GetParam();
    EXPECT_EQ(CheckDateRow(c.texts).corrections, c.expected);
}

const CorrectionCase kCorrectionCases[] = {
    {"SoundRowIsLeftAlone", kSoundRow, {}},
    {"Month13Becomes12", Row({{kMonth, "13"}}), {"", "12", "", "", "", ""}},
    {"Month0Becomes1", Row({{kMonth, "0"}}), {"", "1", "", "", "", ""}},
    {"Month05LosesItsZero", Row({{kMonth, "05"}}), {"", "5", "", "", "", ""}},
    {"Month00LosesItsZeroThenRisesTo1", Row({{kMonth, "00"}}), {"", "1", "", "", "", ""}},
    {"Day07LosesItsZero", Row({{kDay, "07"}}), {"", "", "7", "", "", ""}},
    {"Hour07LosesItsZero", Row({{kHour, "07"}}), {"", "", "", "7", "", ""}},
    {"Hour00BecomesZero", Row({{kHour, "00"}}), {"", "", "", "0", "", ""}},
    {"Minute05StaysAsTyped", Row({{kMinute, "05"}}), {}},
    {"Second00StaysAsTyped", Row({{kSecond, "00"}}), {}},
    {"Year1979Becomes1980", Row({{kYear, "1979"}}), {"1980", "", "", "", "", ""}},
    {"Year2039Becomes2038", Row({{kYear, "2039"}}), {"2038", "", "", "", "", ""}},
    {"Year0198KeepsNoLeadingZeroRule", Row({{kYear, "0198"}}), {"1980", "", "", "", "", ""}},
    {"Hour24Becomes23", Row({{kHour, "24"}}), {"", "", "", "23", "", ""}},
    {"Minute60Becomes59", Row({{kMinute, "60"}}), {"", "", "", "", "59", ""}},
    {"Second60Becomes59", Row({{kSecond, "60"}}), {"", "", "", "", "", "59"}},
    {"NegativeHourBecomes0", Row({{kHour, "-1"}}), {"", "", "", "0", "", ""}},
    {"Day31InAprilBecomes30", Row({{kMonth, "4"}, {kDay, "31"}}), {"", "", "30", "", "", ""}},
    {"Day31InFebruary2004Becomes29", Row({{kMonth, "2"}, {kDay, "31"}}), {"", "", "29", "", "", ""}},
    {"Day31InFebruary2003Becomes28", Row({{kYear, "2003"}, {kMonth, "2"}, {kDay, "31"}}), {"", "", "28", "", "", ""}},
    {"Day0Becomes1", Row({{kDay, "0"}}), {"", "", "1", "", "", ""}},
    {"Day31WithBlankMonthStays", Row({{kMonth, ""}, {kDay, "31"}}), {}},
    {"Day30WithBlankYearInFebruaryBecomes29", Row({{kYear, ""}, {kMonth, "2"}, {kDay, "30"}}), {"", "", "29", "", "", ""}},
    // The maximum comes from the values entered, not from their corrections.
    {"Day31WithMonth13Stays", Row({{kMonth, "13"}, {kDay, "31"}}), {"", "12", "", "", "", ""}},
    {"PastedYearTextBecomes1980", Row({{kYear, "abc"}}), {"1980", "", "", "", "", ""}},
    {"PastedMonthTextBecomes1", Row({{kMonth, "ab"}}), {"", "1", "", "", "", ""}},
    {"PastedDayTextBecomes1", Row({{kDay, "ab"}}), {"", "", "1", "", "", ""}},
    {"PastedHourTextIsLeftForTheRun", Row({{kHour, "ab"}}), {}},
    {"PastedMinuteTextIsLeftForTheRun", Row({{kMinute, "ab"}}), {}},
    {"PastedSecondTextIsLeftForTheRun", Row({{kSecond, "ab"}}), {}},
    {"NumberFollowedByTextIsNotRewritten", Row({{kYear, "2001"}, {kMonth, "5x"}, {kMinute, "3a"}}), {}},
    {"Month0xLosesItsZeroThenRisesTo1", Row({{kMonth, "0x"}}), {"", "1", "", "", "", ""}},
    {"UpperEdgeLowersTheYear", {"2038", "1", "19", "3", "14", "8"}, {"2037", "", "", "", "", ""}},
    {"UpperEdgeWithZerosLowersTheYearAndDropsThem", {"2038", "01", "19", "03", "14", "08"},
     {"2037", "1", "", "3", "", ""}},
    {"LastRepresentableSecondPasses", {"2038", "1", "19", "3", "14", "7"}, {}},
    {"UpperEdgeReplacesTheYearClamp", {"2100", "12", "31", "23", "59", "59"}, {"2037", "", "", "", "", ""}},
    {"UpperEdgeNeedsTheSecond", {"2038", "1", "19", "3", "14", ""}, {}},
    {"UpperEdgeComparesFieldByFieldFebruaryFirst", {"2038", "2", "1", "0", "0", "0"}, {}},
    {"UpperEdgeComparesFieldByFieldEndOfYear", {"2038", "12", "31", "2", "0", "0"}, {}},
    {"UpperEdgeBlankMonthCountsAsZero", {"2038", "", "19", "3", "14", "8"}, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, DateRowCorrection, testing::ValuesIn(kCorrectionCases),
                         [](const testing::TestParamInfo<CorrectionCase>& info) { return info.param.name; });

TEST(DateRowLimits, EachFieldKeepsItsEndsAndClampsJustOutside) {
    // Year 1980-2038, month 1-12, day 1-31, hour 0-23, minute and second 0-59.
    const struct {
        int low;
        int high;
    } kRanges[kDateFieldCount] = {{1980, 2038}, {1, 12}, {1, 31}, {0, 23}, {0, 59}, {0, 59}};
    for (int field = 0; field < kDateFieldCount; ++field) {
        const int low = kRanges[field].low;
        const int high = kRanges[field].high;
        // January has 31 days and 2000 lies well below the upper edge.
        DateRowTexts base = {"2000", "1", "15", "12", "30", "30"};
        for (int value : {low, high}) {
            DateRowTexts texts = base;
            texts[field] = std::to_string(value);
            EXPECT_EQ(CheckDateRow(texts).corrections[field], "") << "field " << field << " value " << value;
        }
        DateRowTexts below = base;
        below[field] = std::to_string(low - 1);
        EXPECT_EQ(CheckDateRow(below).corrections[field], std::to_string(low)) << "field " << field;
        DateRowTexts above = base;
        above[field] = std::to_string(high + 1);
        EXPECT_EQ(CheckDateRow(above).corrections[field], std::to_string(high)) << "field " << field;
    }
}

struct DayMaximumCase {
    const char* name;
    std::string year;
    std::string month;
    int expected;
};

class DateRowDayMaximum : public testing::TestWithParam<DayMaximumCase> {};

TEST_P(DateRowDayMaximum, FollowsMonthAndYearAsEntered) {
    const DayMaximumCase& c = GetParam();
    DateRowCheck check = CheckDateRow({c.year, c.month, "1", "0", "0", "0"});
    EXPECT_TRUE(check.dayChecked);
    EXPECT_EQ(check.dayMaximum, c.expected);
}

const DayMaximumCase kDayMaximumCases[] = {
    {"January", "2005", "1", 31},        {"April", "2005", "4", 30},
    {"June", "2005", "6", 30},           {"September", "2005", "9", 30},
    {"November", "2005", "11", 30},      {"December", "2005", "12", 31},
    {"LeapFebruary", "2004", "2", 29},   {"PlainFebruary", "2003", "2", 28},
    {"Year2100CountsAsLeap", "2100", "2", 29},
    {"BlankYearFebruary", "", "2", 29},  {"BlankMonth", "2003", "", 31},
    {"MonthAboveTwelve", "2003", "13", 31}, {"MonthZero", "2003", "0", 31},
    {"LeadingZeroFebruary", "2003", "02", 28},
};

INSTANTIATE_TEST_SUITE_P(Cases, DateRowDayMaximum, testing::ValuesIn(kDayMaximumCases),
                         [](const testing::TestParamInfo<DayMaximumCase>& info) { return info.param.name; });

TEST(DateRowBlanks, BlankFieldsAreReadOnlyAndNeverCorrected) {
    DateRowCheck check = CheckDateRow({"", "4", "", "", "99", ""});
    EXPECT_EQ(check.readOnly, (std::array<bool, kDateFieldCount>{true, false, true, true, false, true}));
    EXPECT_EQ(check.corrections, (Corrections{"", "", "", "", "59", ""}));
    EXPECT_FALSE(check.dayChecked);
}

TEST(DateRowBlanks, FilledRowIsWritableThroughout) {
    DateRowCheck check = CheckDateRow(kSoundRow);
    for (bool readOnly : check.readOnly) EXPECT_FALSE(readOnly);
    EXPECT_TRUE(check.dayChecked);
    EXPECT_EQ(check.dayMaximum, 30);
}

struct DecimalCase {
    const char* name;
    std::string text;
    int expected;
};

class LeadingDecimal : public testing::TestWithParam<DecimalCase> {};

TEST_P(LeadingDecimal, ReadsLikeAtoi) { EXPECT_EQ(LeadingDecimalValue(GetParam().text), GetParam().expected); }

const DecimalCase kDecimalCases[] = {
    {"Empty", "", 0},
    {"Digits", "2038", 2038},
    {"LeadingZeros", "007", 7},
    {"TrailingText", "12ab", 12},
    {"NoDigits", "ab12", 0},
    {"LeadingSpace", "  42", 42},
    {"Minus", "-5", -5},
    {"Plus", "+5", 5},
    {"LoneSign", "-", 0},
    {"TooLongStopsAtTheLimit", "99999999999999999999", 2147483647},
    {"TooLongNegativeStopsAtTheLimit", "-99999999999999999999", -2147483647 - 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, LeadingDecimal, testing::ValuesIn(kDecimalCases),
                         [](const testing::TestParamInfo<DecimalCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kelvo
