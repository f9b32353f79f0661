// The time half of an item change. Each enabled row becomes one new time;
// a row that would need a time the record's 32-bit seconds can't hold is
// left out for this item, and the other rows are written all the same.
#include "items/TimeChange.h"

#include <cstdint>
#include <limits>

#include "items/DateTimeFields.h"
#include "items/DecimalText.h"

namespace kelvo {

namespace {

struct TimeRow {
    const char* label;
    int32_t ItemStatus::*time;
    bool ItemStatus::*known;
    TimeWrite write;
};

// Creation, modification, access: the order of the rows and of the report lines.
const TimeRow kTimeRows[3] = {
    {"作成日時 : ", &ItemStatus::creation, &ItemStatus::creationKnown, kWriteCreation},
    {"更新日時 : ", &ItemStatus::modification, &ItemStatus::modificationKnown, kWriteModification},
    {"アクセス日 : ", &ItemStatus::access, &ItemStatus::accessKnown, kWriteAccess},
};

// The separators that follow year .. second in a report line.
const char* const kFieldSuffixes[kDateFieldCount] = {"年", "月", "日 ", ":", ":", "\n"};

int& Component(CalendarFields& fields, int field) {
    int* const components[kDateFieldCount] = {&fields.year, &fields.month, &fields.day,
                                              &fields.hour, &fields.minute, &fields.second};
    return *components[field];
}

// The new time of one row and its report line. False when the row can't be
// applied: a blank needs an item time that isn't known, or the moment lies
// outside what 32-bit seconds hold.
bool ComposeRow(Clock& clock, const DateTimeFields& fields, int32_t itemTime, bool itemTimeKnown,
                int32_t& newTime, std::string& line) {
    CalendarFields own;
    bool ownRead = false;
    CalendarFields wanted;
    std::string texts[kDateFieldCount];
    for (int field = 0; field < kDateFieldCount; ++field) {
        const std::string& text = fields.texts[field];
        if (!text.empty()) {
            Component(wanted, field) = LeadingDecimalValue(text);
            texts[field] = text;
            continue;
        }
        if (!ownRead) {
            if (!itemTimeKnown || !clock.UtcToLocal(itemTime, own)) return false;
            ownRead = true;
        }
        Component(wanted, field) = Component(own, field);
        texts[field] = DecimalText(Component(own, field));
    }
    int64_t utc = 0;
    if (!clock.LocalToUtc(wanted, utc) || utc < 0 || utc > std::numeric_limits<int32_t>::max()) return false;
    newTime = static_cast<int32_t>(utc);
    for (int field = 0; field < kDateFieldCount; ++field) {
        line += texts[field];
        line += kFieldSuffixes[field];
    }
    return true;
}

}  // namespace

TimePlan ComposeTimes(Clock& clock, const ItemStatus& status, const ItemJob& job) {
    const DateTimeFields* const rowFields[3] = {&job.creationFields, &job.modificationFields, &job.accessFields};
    TimePlan plan;
    plan.newStatus = status;
    bool rowLeftOut = false;
    for (int row = 0; row < 3; ++row) {
        if (!job.timeEnables[row]) continue;
        const TimeRow& kind = kTimeRows[row];
        int32_t newTime = 0;
        std::string line = kind.label;
        // Blanks come from the time as read, not from a row applied before.
        if (!ComposeRow(clock, *rowFields[row], status.*kind.time, status.*kind.known, newTime, line)) {
            rowLeftOut = true;
            continue;
        }
        plan.newStatus.*kind.time = newTime;
        plan.report += line;
        plan.timeWrites |= kind.write;
    }
    if (plan.timeWrites == kWriteNoTimes) {
        plan.result = kAllRowsLeftOut;
    } else {
        plan.result = rowLeftOut ? kSomeRowsLeftOut : kTimesWritten;
    }
    return plan;
}

}  // namespace kelvo
