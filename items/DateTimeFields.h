// The six texts of one date row: year, month, day, hour, minute, second. A
// blank text leaves that component as the item has it.
#pragma once
#include <array>
#include <string>

namespace kelvo {

enum DateField { kYear, kMonth, kDay, kHour, kMinute, kSecond, kDateFieldCount };

struct DateTimeFields {
    std::array<std::string, kDateFieldCount> texts;  // indexed by DateField
};

// Per attribute (read-only, hidden, archive, system) the state of its box:
// 0 clear, 1 set, 2 leave.
using AttributeChoices = std::array<int, 4>;
enum AttributeChoice { kClearAttribute = 0, kSetAttribute = 1, kLeaveAttribute = 2 };

// Per time kind (creation, modification, access): whether its row is applied.
using TimeEnables = std::array<bool, 3>;

}  // namespace kelvo
