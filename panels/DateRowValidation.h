// The in-place correction of one date row as plain logic: from the six field
// texts to the corrections to write back, the read-only state of each field
// and the day maximum. Also the fields' ranges and text limits.
#pragma once
#include <array>
#include <string>

#include "resources/ControlGroups.h"

namespace kelvo {

using DateRowTexts = std::array<std::string, kDateFieldCount>;

// What each field accepts: spin range and text limit (year .. second).
struct DateFieldLimits {
    int low;
    int high;
    int maxChars;
};
inline constexpr DateFieldLimits kDateFieldLimits[kDateFieldCount] = {
    {1980, 2038, 4}, {1, 12, 2}, {1, 31, 2}, {0, 23, 2}, {0, 59, 2}, {0, 59, 2},
};

// The last moment a signed 32-bit count of seconds holds is 2038-01-19
// 03:14:07 UTC. A row whose every value reaches the matching bound below has
// its year lowered to kYearBelowEdge.
inline constexpr int kUpperEdge[kDateFieldCount] = {2038, 1, 19, 3, 14, 8};
inline constexpr int kYearBelowEdge = 2037;

struct DateRowCheck {
    // Per field: the text to write back (empty: leave it) and whether the
    // field is read-only (it is blank).
    std::array<std::string, kDateFieldCount> corrections;
    std::array<bool, kDateFieldCount> readOnly{};
    // Set only when the day is not blank; the day spin's range and the
    // row's month length follow it.
    bool dayChecked = false;
    int dayMaximum = 0;
};

// Days in a month as the row reads it: February has 29 days in years
// divisible by 4 (year 0, a blank year, included); an unknown month has 31.
int DayMaximum(int month, int year);

// One validation pass over the texts as they stand.
DateRowCheck CheckDateRow(const DateRowTexts& texts);

}  // namespace kelvo
