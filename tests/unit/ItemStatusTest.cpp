// Reading an item's status (exact second conversion, the 32-bit range,
// times that stay unknown) and the order of the calls that write it back.
#include <gtest/gtest.h>

#include <limits>

#include "items/ItemStatus.h"
#include "tests/unit/RunTestFixture.h"

namespace kelvo {
namespace {

constexpr int64_t kLastSecond = std::numeric_limits<int32_t>::max();

FileTime Ticks(int64_t seconds, int64_t extraTicks = 0) {
    return static_cast<FileTime>(static_cast<int64_t>(kUnixEpochTicks) +
                                 seconds * static_cast<int64_t>(kTicksPerSecond) + extraTicks);
}

struct TimeCase {
    const char* name;
    FileTime stored;
    int32_t seconds;
    bool known;
};

const TimeCase kTimeCases[] = {
    {"epoch itself", Ticks(0), 0, true},
    {"a fraction is dropped", Ticks(1700000000, 9999999), 1700000000, true},
    {"last second that fits", Ticks(kLastSecond), std::numeric_limits<int32_t>::max(), true},
    {"one second past it", Ticks(kLastSecond + 1), 0, false},
    {"one tick before the epoch", kUnixEpochTicks - 1, 0, false},
    {"no time at all", 0, 0, false},
};

class ItemStatusRead : public RunTest {};

TEST_F(ItemStatusRead, ConvertsStoredTimesExactly) {
    for (const TimeCase& c : kTimeCases) {
        SCOPED_TRACE(c.name);
        FaultyMemoryFileSystem::Node& node = files.AddFile("C:\\t\\f.txt");
        node.modification = c.stored;
        node.creation = Ticks(5);
        node.access = Ticks(6);
        ItemStatus status;
        ASSERT_TRUE(ReadItemStatus(files, "C:\\t\\f.txt", status));
        EXPECT_EQ(status.modification, c.seconds);
        EXPECT_EQ(status.modificationKnown, c.known);
        files.Delete("C:\\t\\f.txt");
    }
}

// A creation or access time the seconds can't hold is unknown, and no other
// time stands in for it.
TEST_F(ItemStatusRead, TimesOutsideTheRangeStayUnknown) {
    FaultyMemoryFileSystem::Node& node = files.AddFile("C:\\t\\f.txt", kAttrArchive, Ticks(1000));
    node.creation = 0;                        // before 1970
    node.access = Ticks(kLastSecond + 100);   // after 2038
    ItemStatus status;
    ASSERT_TRUE(ReadItemStatus(files, "C:\\t\\f.txt", status));
    EXPECT_EQ(status.creation, 0);
    EXPECT_EQ(status.access, 0);
    EXPECT_FALSE(status.creationKnown);
    EXPECT_FALSE(status.accessKnown);
    EXPECT_EQ(status.modification, 1000);
    EXPECT_TRUE(status.modificationKnown);
}

TEST_F(ItemStatusRead, CarriesTheLowSevenBitsSizeAndFullPath) {
    FaultyMemoryFileSystem::Node& node =
        files.AddFile("C:\\t\\f.txt", kAttrArchive | kAttrReadOnly | kAttrNotContentIndexed, Ticks(1));
    node.size = 0x100000005ull;
    files.SetCurrentDirectory("C:\\t");
    ItemStatus status;
    ASSERT_TRUE(ReadItemStatus(files, "f.txt", status));
    EXPECT_EQ(status.attributes, kAttrArchive | kAttrReadOnly);
    EXPECT_EQ(status.size, 5u);
    EXPECT_EQ(status.fullPath, "C:\\t\\f.txt");
}

TEST_F(ItemStatusRead, FailsForAMissingItemOrARefusedLookup) {
    ItemStatus status;
    EXPECT_FALSE(ReadItemStatus(files, "C:\\nothing.txt", status));
    files.AddFile("C:\\f.txt");
    files.RefuseOperation("GetFullPath");
    EXPECT_FALSE(ReadItemStatus(files, "C:\\f.txt", status));
    EXPECT_TRUE(status.fullPath.empty());
    files.RefuseOperation("FindOne");
    EXPECT_FALSE(ReadItemStatus(files, "C:\\f.txt", status));
}

class SetItemStatusOrder : public RunTest {
protected:
    ItemStatus StatusWith(uint8_t attributes) {
        ItemStatus status;
        status.attributes = attributes;
        status.creation = 100;
        status.access = 200;
        status.modification = 300;
        return status;
    }
    std::vector<std::string> Run(uint32_t current, uint8_t wanted, unsigned timeWrites) {
        files.AddFile("C:\\f.txt", current);
        files.ClearCalls();
        EXPECT_TRUE(SetItemStatus(files, "C:\\f.txt", StatusWith(wanted), timeWrites));
        return files.Calls();
    }
};

TEST_F(SetItemStatusOrder, ReadOnlyItemGetsItsAttributesBeforeTheTimes) {
    std::vector<std::string> calls = Run(kAttrReadOnly | kAttrArchive, kAttrArchive, kWriteModification);
    EXPECT_EQ(calls, (std::vector<std::string>{"GetAttributes C:\\f.txt", "SetAttributes C:\\f.txt 32",
                                               "SetTimes C:\\f.txt"}));
    EXPECT_EQ(files.Find("C:\\f.txt")->modification, Ticks(300));
}

TEST_F(SetItemStatusOrder, OtherItemGetsItsAttributesAfterTheTimes) {
    std::vector<std::string> calls = Run(kAttrArchive, kAttrArchive | kAttrReadOnly, kWriteModification);
    EXPECT_EQ(calls, (std::vector<std::string>{"GetAttributes C:\\f.txt", "SetTimes C:\\f.txt",
                                               "SetAttributes C:\\f.txt 33"}));
}

TEST_F(SetItemStatusOrder, NoTimesMeansNoTimeWriteAndEqualWordNoAttributeWrite) {
    EXPECT_EQ(Run(kAttrArchive, kAttrArchive, kWriteNoTimes), (std::vector<std::string>{"GetAttributes C:\\f.txt"}));
}

TEST_F(SetItemStatusOrder, ByteIsComparedWithTheWholeWord) {
    std::vector<std::string> calls = Run(kAttrArchive | kAttrNotContentIndexed, kAttrArchive, kWriteNoTimes);
    EXPECT_EQ(calls.back(), "SetAttributes C:\\f.txt 32");
    EXPECT_EQ(AttributesOf("C:\\f.txt"), kAttrArchive);
}

TEST_F(SetItemStatusOrder, OnlyTheSelectedTimesAreWritten) {
    FaultyMemoryFileSystem::Node& node = files.AddFile("C:\\f.txt", kAttrArchive, Ticks(9));
    ASSERT_TRUE(SetItemStatus(files, "C:\\f.txt", StatusWith(kAttrArchive), kWriteAccess));
    EXPECT_EQ(node.access, Ticks(200));
    EXPECT_EQ(node.creation, Ticks(9));
    EXPECT_EQ(node.modification, Ticks(9));
}

TEST_F(SetItemStatusOrder, StopsAtTheFirstRefusedCall) {
    files.AddFile("C:\\f.txt", kAttrReadOnly);
    files.RefuseOperation("SetAttributes");
    EXPECT_FALSE(SetItemStatus(files, "C:\\f.txt", StatusWith(0), kWriteModification));
    EXPECT_TRUE(files.CallsOf("SetTimes").empty());
}

class WriteItemStatusRule : public RunTest {};

TEST_F(WriteItemStatusRule, ReadOnlyIsWrittenLast) {
    files.AddFile("C:\\f.txt", kAttrArchive);
    ItemContext context = Context();
    ItemStatus status;
    status.attributes = kAttrArchive | kAttrReadOnly | kAttrHidden;
    ASSERT_TRUE(WriteItemStatus(context, "C:\\f.txt", status, kWriteNoTimes));
    EXPECT_EQ(files.CallsOf("SetAttributes"),
              (std::vector<std::string>{"SetAttributes C:\\f.txt 34", "SetAttributes C:\\f.txt 35"}));
    EXPECT_EQ(AttributesOf("C:\\f.txt"), 35u);
}

TEST_F(WriteItemStatusRule, RefusedSecondWritePutsTheOldAttributesBack) {
    files.AddFile("C:\\f.txt", kAttrArchive);
    ItemContext context = Context();
    ItemStatus status;
    status.attributes = kAttrReadOnly | kAttrHidden;
    // GetAttributes, SetAttributes (first write), then the second write,
    // which needs no read of its own, is refused.
    files.RefuseCall(files.CallCount() + 3);
    EXPECT_FALSE(WriteItemStatus(context, "C:\\f.txt", status, kWriteNoTimes));
    EXPECT_EQ(files.Calls().back(), "SetAttributes C:\\f.txt 32");
    EXPECT_EQ(AttributesOf("C:\\f.txt"), kAttrArchive);
}

}  // namespace
}  // namespace kelvo
