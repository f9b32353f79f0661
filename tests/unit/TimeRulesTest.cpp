// Times taken from the item itself, through one item change on the
// in-memory file system: each kind copied from each other kind, shifts
// across a month, a year and a change of daylight saving, a shift then a
// copy, a swap, results outside what the system stores left and counted,
// and every time kept to the 100 ns. Times are written out as ticks
// (100 ns since 1601-01-01 UTC) worked out by hand from the dates beside them.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "items/ChangeItem.h"
#include "items/TimeRules.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ResourceIds.h"
#include "run/WindowStatus.h"
#include "tests/unit/ScopedTimeZone.h"

namespace kelvo {
namespace {

using R = TimeRule;

// The item's own times in most rows.
constexpr FileTime kC = 134194734001234567;  // 2026-03-31 23:30:00.1234567
constexpr FileTime kM = 134432208000000001;  // 2026-12-31 20:00:00.0000001
constexpr FileTime kA = 134432532009999999;  // 2027-01-01 05:00:00.9999999

constexpr int64_t kHour = 36000000000;
constexpr int64_t kDay = 864000000000;

struct Times {
    FileTime creation, modification, access;
};

struct Row {
    const char* name;
    TimeRule creation, modification, access;
    int64_t offset;
    Times own;
    Times expected;  // the item's times afterwards
    bool left;       // left as it was and counted
};

const Row kRows[] = {
    {"CreationFromModification", R::FromModification, R::Leave, R::Leave, 0, {kC, kM, kA}, {kM, kM, kA}, false},
    {"CreationFromAccess", R::FromAccess, R::Leave, R::Leave, 0, {kC, kM, kA}, {kA, kM, kA}, false},
    {"ModificationFromCreation", R::Leave, R::FromCreation, R::Leave, 0, {kC, kM, kA}, {kC, kC, kA}, false},
    {"ModificationFromAccess", R::Leave, R::FromAccess, R::Leave, 0, {kC, kM, kA}, {kC, kA, kA}, false},
    {"AccessFromCreation", R::Leave, R::Leave, R::FromCreation, 0, {kC, kM, kA}, {kC, kM, kC}, false},
    {"AccessFromModification", R::Leave, R::Leave, R::FromModification, 0, {kC, kM, kA}, {kC, kM, kM}, false},
    // 2026-12-31 20:00:00.0000001 + 9 h = 2027-01-01 05:00:00.0000001
    {"ShiftForwardIntoTheNextYear", R::Leave, R::Shift, R::Leave, 9 * kHour, {kC, kM, kA},
     {kC, 134432532000000001, kA}, false},
    // 2026-03-31 23:30:00.1234567 + 1 h = 2026-04-01 00:30:00.1234567
    {"ShiftForwardIntoTheNextMonth", R::Shift, R::Leave, R::Leave, kHour, {kC, kM, kA},
     {134194770001234567, kM, kA}, false},
    // 2027-01-01 05:00:00.9999999 - 6 h = 2026-12-31 23:00:00.9999999
    {"ShiftBackIntoThePreviousYear", R::Leave, R::Leave, R::Shift, -6 * kHour, {kC, kM, kA},
     {kC, kM, 134432316009999999}, false},
    // 2026-12-31 20:00:00.0000001 - 1 day = 2026-12-30 20:00:00.0000001
    {"ShiftBackOneDay", R::Leave, R::Shift, R::Leave, -kDay, {kC, kM, kA}, {kC, 134431344000000001, kA}, false},
    // 2026-03-28 20:00 UTC (21:00 in Berlin, winter) + 9 h = 2026-03-29
    // 05:00 UTC (07:00 in Berlin, summer): nine hours of UTC, not of the clock.
    {"ShiftAcrossDaylightSaving", R::Shift, R::Leave, R::Leave, 9 * kHour,
     {134192016000000005, kM, kA}, {134192340000000005, kM, kA}, false},
    {"ShiftThenCopy", R::FromModification, R::Shift, R::Leave, 9 * kHour, {kC, kM, kA},
     {134432532000000001, 134432532000000001, kA}, false},
    {"SwapModificationAndAccess", R::Leave, R::FromAccess, R::FromModification, 0, {kC, kM, kA}, {kC, kA, kM}, false},
    // Each one day back: 2026-03-30 23:30:00.1234567, 2026-12-30 20:00:00.0000001, 2026-12-31 05:00:00.9999999
    {"ShiftAllThree", R::Shift, R::Shift, R::Shift, -kDay, {kC, kM, kA},
     {134193870001234567, 134431344000000001, 134431668009999999}, false},
    // 1601-01-02 00:00:00 - 1 day is 1601-01-01 00:00:00, tick 0: not a time.
    {"ShiftToTickZeroIsLeft", R::Shift, R::Leave, R::Leave, -kDay, {864000000000, kM, kA},
     {864000000000, kM, kA}, true},
    {"ShiftToTickOneIsWritten", R::Shift, R::Leave, R::Leave, -kDay, {864000000001, kM, kA}, {1, kM, kA}, false},
    {"ShiftBefore1601IsLeft", R::Leave, R::Shift, R::Leave, -2 * kDay, {kC, 864000000000, kA},
     {kC, 864000000000, kA}, true},
    // The largest signed 64-bit count, 0x7FFFFFFFFFFFFFFF, is the last time stored.
    {"ShiftToTheLastTimeIsWritten", R::Leave, R::Leave, R::Shift, 5, {kC, kM, 9223372036854775802},
     {kC, kM, 9223372036854775807}, false},
    {"ShiftPastTheLastTimeIsLeft", R::Leave, R::Leave, R::Shift, 6, {kC, kM, 9223372036854775802},
     {kC, kM, 9223372036854775802}, true},
    // A left item keeps even the rows that could be applied.
    {"OneRowOutOfRangeLeavesAll", R::FromAccess, R::Shift, R::Leave, -2 * kDay, {kC, 864000000000, kA},
     {kC, 864000000000, kA}, true},
    {"CopyOfATimeNotStoredIsLeft", R::Leave, R::FromCreation, R::Leave, 0, {0, kM, kA}, {0, kM, kA}, true},
};

class TimeRulesTest : public testing::TestWithParam<Row> {
protected:
    TimeRulesTest() : context{files, clock, statusArea, fullView} {}

#ifdef _WIN32
    ScopedTimeZone zone{"CET-1CEST"};
#else
    ScopedTimeZone zone{"Europe/Berlin"};
#endif
    FaultyMemoryFileSystem files;
    MemoryClock clock;
    MemoryWindow window;
    WindowStatus statusArea{window};
    std::atomic<int> fullView{1};
    ItemContext context;
};

TEST_P(TimeRulesTest, TakesTheItemsOwnTimes) {
    const Row& row = GetParam();
    FaultyMemoryFileSystem::Node& node = files.AddFile("C:\\data\\memo.txt", kAttrArchive | kAttrReadOnly);
    node.creation = row.own.creation;
    node.modification = row.own.modification;
    node.access = row.own.access;
    window.SetText(IDC_STATUS, "before");

    ItemJob job;
    job.attributeChoices = {kLeaveAttribute, kLeaveAttribute, kLeaveAttribute, kLeaveAttribute};
    job.timeAdjust.rules = {row.creation, row.modification, row.access};
    job.timeAdjust.offset = row.offset;
    ItemTrace trace;
    const bool changed =
        ChangeItem(context, ItemRecord{false, ItemRef{"C:\\data\\memo.txt", "C:\\data", "memo.txt"}}, job, &trace);

    EXPECT_EQ(node.creation, row.expected.creation);
    EXPECT_EQ(node.modification, row.expected.modification);
    EXPECT_EQ(node.access, row.expected.access);
    EXPECT_EQ(node.attributes, kAttrArchive | kAttrReadOnly);
    EXPECT_EQ(changed, !row.left);
    EXPECT_EQ(trace.written, !row.left);
    if (row.left) {
        ASSERT_EQ(context.failures.size(), 1u);
        EXPECT_EQ(context.failures[0].path, "C:\\data\\memo.txt");
        EXPECT_EQ(context.failures[0].error, 1901u);  // ERROR_INVALID_TIME
        EXPECT_EQ(window.GetText(IDC_STATUS), "before");
    } else {
        EXPECT_TRUE(context.failures.empty());
        EXPECT_EQ(trace.before.modification, row.own.modification);
        EXPECT_EQ(trace.after.modification, row.expected.modification);
        EXPECT_EQ(window.GetText(IDC_STATUS), "\"C:\\data\\memo.txt\"\n日時を調整しました。");
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, TimeRulesTest, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvo
