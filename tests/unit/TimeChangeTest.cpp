// The time half of an item change on the in-memory file system: blanks
// filled from each item's own times, the calendar carry, the report, what
// the item's update writes, times that 32-bit seconds can't hold, refused
// writes, and local time in zones with and without daylight saving.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "items/ChangeItem.h"
#include "items/ItemStatus.h"
#include "items/TimeChange.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryWindow.h"
#include "run/WindowStatus.h"
#include "tests/unit/ScopedTimeZone.h"

namespace kelvo {
namespace {

// Seconds since 1970 of a UTC calendar moment.
int64_t Utc(int year, int month, int day, int hour, int minute, int second) {
    struct tm parts {};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
#ifdef _WIN32
    return static_cast<int64_t>(_mkgmtime(&parts));
#else
    return static_cast<int64_t>(timegm(&parts));
#endif
}

FileTime Ticks(int64_t seconds) { return kUnixEpochTicks + static_cast<FileTime>(seconds) * kTicksPerSecond; }
int64_t Seconds(FileTime ticks) { return static_cast<int64_t>((ticks - kUnixEpochTicks) / kTicksPerSecond); }

DateTimeFields Fields(const std::string& year, const std::string& month, const std::string& day,
                      const std::string& hour, const std::string& minute, const std::string& second) {
    return DateTimeFields{{year, month, day, hour, minute, second}};
}

const DateTimeFields kAllBlank = Fields("", "", "", "", "", "");
const TimeEnables kCreationOnly = {true, false, false};
const TimeEnables kModificationOnly = {false, true, false};
const TimeEnables kAccessOnly = {false, false, true};
const TimeEnables kAllRows = {true, true, true};

const AttributeChoices kLeaveAll = {kLeaveAttribute, kLeaveAttribute, kLeaveAttribute, kLeaveAttribute};

// How a change of times ended, as a run tells it: changed or not, and
// whether the item counts as not changed, for a refused call or a row left out.
enum class Outcome { Written, SomeRowsLeftOut, AllRowsLeftOut, Refused };

Outcome OutcomeOf(bool changed, const std::vector<ItemFailure>& failures) {
    if (failures.empty()) return changed ? Outcome::Written : Outcome::AllRowsLeftOut;
    if (failures.size() == 1 && failures[0].error != 0) return Outcome::Refused;
    return changed ? Outcome::SomeRowsLeftOut : Outcome::AllRowsLeftOut;
}

Outcome ChangeTimesOf(ItemContext& context, const std::string& path, const ItemJob& job) {
    context.failures.clear();
    const ItemRef item{path, "C:\\data", path.substr(path.rfind('\\') + 1)};
    const bool changed = ChangeItem(context, ItemRecord{false, item}, job);
    return OutcomeOf(changed, context.failures);
}

ItemJob TimeJob(const TimeEnables& enables, const DateTimeFields& creation, const DateTimeFields& modification,
                const DateTimeFields& access, const AttributeChoices& choices = kLeaveAll) {
    ItemJob job;
    job.attributeChoices = choices;
    job.timeEnables = enables;
    job.creationFields = creation;
    job.modificationFields = modification;
    job.accessFields = access;
    return job;
}

// Tokyo has no daylight saving: local is always UTC + 9 hours.
constexpr int64_t kTokyoOffset = 9 * 3600;
// The Windows C runtime knows no zone names, and under Wine it applies no
// daylight saving to a zone given as "CET-1CEST": there only Berlin's
// winter offset is its own, and its summer noon is checked by its round
// trip alone.
#ifdef _WIN32
const char* const kTokyo = "JST-9";
const char* const kBerlin = "CET-1CEST";
constexpr bool kBerlinSummerKnown = false;
#else
const char* const kTokyo = "Asia/Tokyo";
const char* const kBerlin = "Europe/Berlin";
constexpr bool kBerlinSummerKnown = true;
#endif

class TimeChangeTest : public testing::Test {
protected:
    TimeChangeTest() : zone(kTokyo), context{files, clock, statusArea, fullView} {}

    // A file with all three times at `utcSeconds`, plus a fraction of a second.
    FaultyMemoryFileSystem::Node& AddFile(const std::string& path, int64_t utcSeconds, uint32_t attributes = kAttrArchive) {
        FaultyMemoryFileSystem::Node& node = files.AddFile(path, attributes, Ticks(utcSeconds) + kFraction);
        return node;
    }

    Outcome Change(const std::string& path, const TimeEnables& enables, const DateTimeFields& creation,
                   const DateTimeFields& modification = kAllBlank, const DateTimeFields& access = kAllBlank) {
        files.ClearCalls();
        return ChangeTimesOf(context, path, TimeJob(enables, creation, modification, access));
    }

    static constexpr FileTime kFraction = 1234567;  // 0.1234567 s

    ScopedTimeZone zone;
    FaultyMemoryFileSystem files;
    MemoryClock clock;
    MemoryWindow window;
    WindowStatus statusArea{window};
    std::atomic<int> fullView{1};
    ItemContext context;
};

TEST_F(TimeChangeTest, TypedRowSetsTheTimeAndReportsIt) {
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 3, 4, 5, 6));
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2003", "11", "24", "12", "50", "54")),
              Outcome::Written);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\memo.txt")->creation), Utc(2003, 11, 24, 12, 50, 54) - kTokyoOffset);
    EXPECT_EQ(window.GetText(IDC_STATUS),
              "\"C:\\data\"ディレクトリ内処理中...\n\"memo.txt\"を\n"
              "作成日時 : 2003年11月24日 12:50:54\nに変更しました。");
    EXPECT_EQ(window.ControlState(IDC_STATUS).texts.front(), "変更しました。");
}

TEST_F(TimeChangeTest, BlanksComeFromTheItemsOwnLocalTime) {
    // 2001-05-03 04:05:06 in Tokyo.
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    EXPECT_EQ(Change("C:\\data\\memo.txt", kModificationOnly, kAllBlank, Fields("2003", "", "24", "", "07", "")),
              Outcome::Written);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\memo.txt")->modification), Utc(2003, 5, 24, 4, 7, 6) - kTokyoOffset);
    EXPECT_NE(window.GetText(IDC_STATUS).find("更新日時 : 2003年5月24日 4:07:6\n"), std::string::npos)
        << window.GetText(IDC_STATUS);
}

TEST_F(TimeChangeTest, AllBlankRowRewritesTheItemsOwnTime) {
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    EXPECT_EQ(Change("C:\\data\\memo.txt", kAccessOnly, kAllBlank), Outcome::Written);
    // Whole seconds: the fraction of the access time is gone.
    EXPECT_EQ(files.Find("C:\\data\\memo.txt")->access, Ticks(Utc(2001, 5, 2, 19, 5, 6)));
    EXPECT_NE(window.GetText(IDC_STATUS).find("アクセス日 : 2001年5月3日 4:5:6\n"), std::string::npos);
}

TEST_F(TimeChangeTest, EachFileKeepsItsOwnYear) {
    AddFile("C:\\data\\a.txt", Utc(1999, 3, 1, 0, 0, 0));
    AddFile("C:\\data\\b.txt", Utc(2010, 3, 1, 0, 0, 0));
    const DateTimeFields noYear = Fields("", "7", "4", "10", "20", "30");
    EXPECT_EQ(Change("C:\\data\\a.txt", kCreationOnly, noYear), Outcome::Written);
    EXPECT_EQ(Change("C:\\data\\b.txt", kCreationOnly, noYear), Outcome::Written);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\a.txt")->creation), Utc(1999, 7, 4, 10, 20, 30) - kTokyoOffset);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\b.txt")->creation), Utc(2010, 7, 4, 10, 20, 30) - kTokyoOffset);
}

TEST_F(TimeChangeTest, Day31OfABlankThirtyDayMonthCarriesIntoTheNextMonth) {
    AddFile("C:\\data\\memo.txt", Utc(2005, 4, 10, 0, 0, 0));  // April in Tokyo too
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2005", "", "31", "8", "0", "0")), Outcome::Written);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\memo.txt")->creation), Utc(2005, 5, 1, 8, 0, 0) - kTokyoOffset);
    EXPECT_NE(window.GetText(IDC_STATUS).find("作成日時 : 2005年4月31日 8:0:0\n"), std::string::npos);
}

TEST_F(TimeChangeTest, OnlyTheEnabledTimesReachTheFileSystem) {
    const FileTime before = Ticks(Utc(2001, 5, 2, 19, 5, 6)) + kFraction;
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    EXPECT_EQ(Change("C:\\data\\memo.txt", kAccessOnly, kAllBlank, kAllBlank, Fields("2004", "1", "2", "3", "4", "5")),
              Outcome::Written);
    const FaultyMemoryFileSystem::Node& node = *files.Find("C:\\data\\memo.txt");
    // The untouched times keep even their fraction of a second.
    EXPECT_EQ(node.creation, before);
    EXPECT_EQ(node.modification, before);
    EXPECT_EQ(Seconds(node.access), Utc(2004, 1, 2, 3, 4, 5) - kTokyoOffset);
    EXPECT_EQ(files.CallsOf("WriteItem").size(), 1u);
}

TEST_F(TimeChangeTest, ReportHasOneLinePerEnabledRowInOrder) {
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    const DateTimeFields typed = Fields("2004", "1", "2", "3", "4", "5");
    EXPECT_EQ(Change("C:\\data\\memo.txt", kAllRows, typed, typed, typed), Outcome::Written);
    EXPECT_NE(window.GetText(IDC_STATUS).find("を\n作成日時 : 2004年1月2日 3:4:5\n更新日時 : 2004年1月2日 3:4:5\n"
                                              "アクセス日 : 2004年1月2日 3:4:5\nに変更しました。"),
              std::string::npos);
}

TEST_F(TimeChangeTest, ReadOnlyFileGetsItsTimesInOneWriteAndStaysReadOnly) {
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6), kAttrReadOnly | kAttrArchive);
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2004", "1", "2", "3", "4", "5")), Outcome::Written);
    EXPECT_EQ(files.CallsOf("WriteItem").size(), 1u);
    EXPECT_TRUE(files.CallsOf("SetAttributes").empty());
    const FaultyMemoryFileSystem::Node& node = *files.Find("C:\\data\\memo.txt");
    EXPECT_EQ(node.attributes, kAttrReadOnly | kAttrArchive);
    EXPECT_EQ(Seconds(node.creation), Utc(2004, 1, 2, 3, 4, 5) - kTokyoOffset);
}

TEST_F(TimeChangeTest, TimesAloneKeepAttributeBitsAboveTheByte) {
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6), kAttrNotContentIndexed | kAttrArchive);
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2004", "1", "2", "3", "4", "5")), Outcome::Written);
    EXPECT_EQ(files.Find("C:\\data\\memo.txt")->attributes, kAttrNotContentIndexed | kAttrArchive);
    // The write names no attribute word, only the creation time.
    EXPECT_EQ(files.CallsOf("WriteItem"),
              std::vector<std::string>{"WriteItem C:\\data\\memo.txt - " +
                                       std::to_string(Ticks(Utc(2004, 1, 1, 18, 4, 5))) + " - -"});
}

TEST_F(TimeChangeTest, ReadOnlyFileKeepsItsHighBits) {
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6), kAttrNotContentIndexed | kAttrReadOnly);
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2004", "1", "2", "3", "4", "5")), Outcome::Written);
    EXPECT_EQ(files.Find("C:\\data\\memo.txt")->attributes, kAttrNotContentIndexed | kAttrReadOnly);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\memo.txt")->creation), Utc(2004, 1, 2, 3, 4, 5) - kTokyoOffset);
}

TEST_F(TimeChangeTest, CompactViewShowsNothingButStillChanges) {
    fullView = 0;
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2004", "1", "2", "3", "4", "5")), Outcome::Written);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\memo.txt")->creation), Utc(2004, 1, 2, 3, 4, 5) - kTokyoOffset);
    EXPECT_TRUE(window.ControlState(IDC_STATUS).texts.empty());
}

TEST_F(TimeChangeTest, RefusedWriteIsReportedAsRefused) {
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    files.RefuseOperation("WriteItem");
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2004", "1", "2", "3", "4", "5")), Outcome::Refused);
    EXPECT_EQ(files.Find("C:\\data\\memo.txt")->creation, Ticks(Utc(2001, 5, 2, 19, 5, 6)) + kFraction);
    EXPECT_TRUE(window.ControlState(IDC_STATUS).texts.empty());
}

TEST_F(TimeChangeTest, EveryRefusedCallLeavesTheRunGoing) {
    // Refuse each call of the change in turn; each time the result says so.
    for (uint64_t n = 1;; ++n) {
        FaultyMemoryFileSystem fresh;
        MemoryWindow freshWindow;
        WindowStatus freshStatus(freshWindow);
        ItemContext freshContext{fresh, clock, freshStatus, fullView};
        fresh.AddFile("C:\\data\\memo.txt", kAttrReadOnly, Ticks(Utc(2001, 5, 2, 19, 5, 6)));
        fresh.RefuseCall(n);
        const Outcome outcome = ChangeTimesOf(freshContext, "C:\\data\\memo.txt",
                                              TimeJob(kCreationOnly, Fields("2004", "1", "2", "3", "4", "5"), kAllBlank,
                                                      kAllBlank));
        if (fresh.CallCount() < n) {
            EXPECT_EQ(outcome, Outcome::Written);
            break;
        }
        EXPECT_EQ(outcome, Outcome::Refused) << "refused call " << n;
        // Whatever was refused, the file doesn't end without its read-only bit.
        EXPECT_EQ(fresh.Find("C:\\data\\memo.txt")->attributes, kAttrReadOnly) << "refused call " << n;
    }
}

TEST_F(TimeChangeTest, BlankFilledFromAnUnrepresentableTimeLeavesThatRowOut) {
    FaultyMemoryFileSystem::Node& node = AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    const FileTime after2038 = Ticks(Utc(2040, 6, 1, 0, 0, 0));
    node.modification = after2038;
    const DateTimeFields noYear = Fields("", "1", "2", "3", "4", "5");
    EXPECT_EQ(Change("C:\\data\\memo.txt", {true, true, false}, noYear, noYear), Outcome::SomeRowsLeftOut);
    EXPECT_EQ(node.modification, after2038);
    EXPECT_EQ(Seconds(node.creation), Utc(2001, 1, 2, 3, 4, 5) - kTokyoOffset);
    EXPECT_NE(window.GetText(IDC_STATUS).find("を\n作成日時 : 2001年1月2日 3:4:5\nに変更しました。"),
              std::string::npos);
}

TEST_F(TimeChangeTest, BlankFilledFromATimeBefore1970LeavesThatRowOut) {
    FaultyMemoryFileSystem::Node& node = AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    const FileTime before1970 = kUnixEpochTicks - kTicksPerSecond;
    node.modification = before1970;
    EXPECT_EQ(Change("C:\\data\\memo.txt", kModificationOnly, kAllBlank, Fields("2004", "", "2", "3", "4", "5")),
              Outcome::AllRowsLeftOut);
    EXPECT_EQ(node.modification, before1970);
    EXPECT_TRUE(files.CallsOf("WriteItem").empty());
}

// A creation or access time the item lacks, or that lies before 1970 or
// past 2038, is never filled from nor replaced by the modification time:
// the row is left out for that item.
TEST_F(TimeChangeTest, CreationOrAccessOutsideTheRangeIsNeverTakenFromTheModificationTime) {
    const DateTimeFields noYear = Fields("", "1", "2", "3", "4", "5");
    struct Case {
        const char* shows;
        FileTime FaultyMemoryFileSystem::Node::*time;
        FileTime stored;
        TimeEnables row;
    } cases[] = {
        {"no creation time", &FaultyMemoryFileSystem::Node::creation, 0, kCreationOnly},
        {"creation before 1970", &FaultyMemoryFileSystem::Node::creation, kUnixEpochTicks - 1, kCreationOnly},
        {"access before 1970", &FaultyMemoryFileSystem::Node::access, kUnixEpochTicks - kTicksPerSecond, kAccessOnly},
        {"access past 2038", &FaultyMemoryFileSystem::Node::access, Ticks(Utc(2040, 1, 1, 0, 0, 0)), kAccessOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows);
        FaultyMemoryFileSystem::Node& node = AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
        node.*c.time = c.stored;
        EXPECT_EQ(Change("C:\\data\\memo.txt", c.row, noYear, kAllBlank, noYear), Outcome::AllRowsLeftOut);
        EXPECT_EQ(node.*c.time, c.stored);
        EXPECT_TRUE(files.CallsOf("WriteItem").empty());
        files.Delete("C:\\data\\memo.txt");
    }
}

TEST_F(TimeChangeTest, TypedFullRowNeedsNoItemTime) {
    FaultyMemoryFileSystem::Node& node = AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    node.creation = kUnixEpochTicks - kTicksPerSecond;
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2004", "1", "2", "3", "4", "5")), Outcome::Written);
    EXPECT_EQ(Seconds(node.creation), Utc(2004, 1, 2, 3, 4, 5) - kTokyoOffset);
}

TEST_F(TimeChangeTest, TypedMomentJustPastTheEdgeIsLeftOut) {
    AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
    const int64_t last = std::numeric_limits<int32_t>::max();  // 2038-01-19 03:14:07 UTC, 12:14:07 in Tokyo
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2038", "1", "19", "12", "14", "7")), Outcome::Written);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\memo.txt")->creation), last);

    window.SetText(IDC_STATUS, "");
    EXPECT_EQ(Change("C:\\data\\memo.txt", kCreationOnly, Fields("2038", "1", "19", "12", "14", "8")), Outcome::AllRowsLeftOut);
    EXPECT_EQ(Seconds(files.Find("C:\\data\\memo.txt")->creation), last);
    // Nothing was left to apply: no write and no report.
    EXPECT_TRUE(files.CallsOf("WriteItem").empty());
    EXPECT_EQ(window.GetText(IDC_STATUS), "");
}

// A row left out is left out alone: the other rows and the attribute half
// still run, and the item counts once as not changed.
TEST_F(TimeChangeTest, LeftOutRowKeepsTheOtherRowsAndTheAttributes) {
    const DateTimeFields past2038 = Fields("2038", "2", "1", "0", "0", "0");  // the panel lets it through
    const DateTimeFields noYear = Fields("", "1", "2", "3", "4", "5");           // filled from a time after 2038
    const DateTimeFields typed = Fields("2004", "1", "2", "3", "4", "5");
    const AttributeChoices hide = {kLeaveAttribute, kSetAttribute, kLeaveAttribute, kLeaveAttribute};
    const AttributeChoices leaveAll = {kLeaveAttribute, kLeaveAttribute, kLeaveAttribute, kLeaveAttribute};
    struct Case {
        const char* shows;
        TimeEnables enables;
        DateTimeFields modification, access;
        AttributeChoices choices;
        bool accessWritten;
        bool changed;
    } cases[] = {
        {"typed moment past the edge, hidden asked", kModificationOnly, past2038, kAllBlank, hide, false, true},
        {"typed moment past the edge beside a sound row", {false, true, true}, past2038, typed, hide, true, true},
        {"blank filled from a time past 2038", {false, true, true}, noYear, typed, hide, true, true},
        {"only row left out, nothing else asked", kModificationOnly, past2038, kAllBlank, leaveAll, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows);
        FaultyMemoryFileSystem::Node& node = AddFile("C:\\data\\memo.txt", Utc(2001, 5, 2, 19, 5, 6));
        const FileTime after2038 = Ticks(Utc(2040, 6, 1, 0, 0, 0));
        node.modification = after2038;
        const FileTime access = node.access;
        context.failures.clear();
        const ItemRecord file{false, ItemRef{"C:\\data\\memo.txt", "C:\\data", "memo.txt"}};
        EXPECT_EQ(ChangeItem(context, file, TimeJob(c.enables, kAllBlank, c.modification, c.access, c.choices)),
                  c.changed);
        EXPECT_EQ(context.failures.size(), 1u);
        EXPECT_EQ(node.modification, after2038);
        EXPECT_EQ(node.access != access, c.accessWritten);
        EXPECT_EQ((node.attributes & kAttrHidden) != 0, c.choices == hide);
        files.Delete("C:\\data\\memo.txt");
    }
}

struct ZoneCase {
    const char* name;
    const char* zone;
    int64_t winterOffset;
    int64_t summerOffset;
    bool summerKnown;
};

class TimeChangeZone : public testing::TestWithParam<ZoneCase> {};

TEST_P(TimeChangeZone, NoonTypedInWinterAndSummerReadsBackAsNoon) {
    const ZoneCase& c = GetParam();
    ScopedTimeZone zone(c.zone);
    FaultyMemoryFileSystem files;
    MemoryClock clock;
    MemoryWindow window;
    WindowStatus statusArea{window};
    std::atomic<int> fullView{1};
    ItemContext context{files, clock, statusArea, fullView};
    files.AddFile("C:\\data\\w.txt", kAttrArchive, Ticks(Utc(2001, 1, 1, 0, 0, 0)));
    files.AddFile("C:\\data\\s.txt", kAttrArchive, Ticks(Utc(2001, 1, 1, 0, 0, 0)));
    for (const auto& [path, month, offset] : {std::tuple<const char*, const char*, int64_t>{"C:\\data\\w.txt", "1", c.winterOffset},
                                              {"C:\\data\\s.txt", "7", c.summerOffset}}) {
        EXPECT_EQ(ChangeTimesOf(context, path,
                                TimeJob(kModificationOnly, kAllBlank, Fields("2020", month, "15", "12", "0", "0"),
                                        kAllBlank)),
                  Outcome::Written);
        const int64_t written = Seconds(files.Find(path)->modification);
        if (std::string(month) == "1" || c.summerKnown) {
            EXPECT_EQ(written, Utc(2020, std::atoi(month), 15, 12, 0, 0) - offset) << path;
        }
        CalendarFields local;
        ASSERT_TRUE(clock.UtcToLocal(written, local));
        EXPECT_EQ(local.month, std::atoi(month));
        EXPECT_EQ(local.hour, 12);
        EXPECT_EQ(local.minute, 0);
        EXPECT_EQ(local.second, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Zones, TimeChangeZone,
                         testing::Values(ZoneCase{"Berlin", kBerlin, 3600, 7200, kBerlinSummerKnown},
                                         ZoneCase{"Tokyo", kTokyo, kTokyoOffset, kTokyoOffset, true}),
                         [](const testing::TestParamInfo<ZoneCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kelvo
