// The attribute half and the per-item entry: choices to bits, report lines
// and the item report, the read-only rule, and items that can't be changed.
#include <gtest/gtest.h>

#include "items/AttributeChange.h"
#include "items/ChangeItem.h"
#include "items/ItemReport.h"
#include "tests/unit/RunTestFixture.h"

namespace kelvo {
namespace {

constexpr int C = kClearAttribute, S = kSetAttribute, L = kLeaveAttribute;

struct ChoiceCase {
    const char* name;
    uint8_t before;
    AttributeChoices choices;
    bool changed;
    uint8_t after;
    const char* report;
};

const ChoiceCase kChoiceCases[] = {
    {"all left alone", 0x21, {L, L, L, L}, false, 0x21, ""},
    {"already as asked", 0x01, {S, C, C, L}, false, 0x01, ""},
    {"set read-only", 0x20, {S, L, L, L}, true, 0x21, "読み取り専用属性有効\n"},
    {"clear read-only", 0x21, {C, L, L, L}, true, 0x20, "読み取り専用属性無効\n"},
    {"set hidden", 0x00, {L, S, L, L}, true, 0x02, "隠しファイル属性有効\n"},
    {"clear hidden", 0x02, {L, C, L, L}, true, 0x00, "隠しファイル属性無効\n"},
    {"set archive", 0x00, {L, L, S, L}, true, 0x20, "アーカイブ属性有効\n"},
    {"clear archive keeps the folder bit", 0x30, {L, L, C, L}, true, 0x10, "アーカイブ属性無効\n"},
    {"set system", 0x00, {L, L, L, S}, true, 0x04, "システム属性有効\n"},
    {"clear system", 0x04, {L, L, L, C}, true, 0x00, "システム属性無効\n"},
    {"lines in the order read-only, hidden, archive, system", 0x24, {S, S, C, C}, true, 0x03,
     "読み取り専用属性有効\n隠しファイル属性有効\nアーカイブ属性無効\nシステム属性無効\n"},
};

TEST(AttributeChoices, GiveTheNewByteAndItsReportLines) {
    for (const ChoiceCase& c : kChoiceCases) {
        SCOPED_TRACE(c.name);
        uint8_t after = 0;
        std::string report;
        EXPECT_EQ(ApplyAttributeChoices(c.before, c.choices, after, report), c.changed);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(report, c.report);
    }
}

TEST(ItemReportText, NamesFolderAndItemAndEndsOnItsOwnLine) {
    EXPECT_EQ(BuildItemReport("C:\\data", "memo.txt", "読み取り専用属性有効\n隠しファイル属性有効\n"),
              "\"C:\\data\"ディレクトリ内処理中...\n\"memo.txt\"を\n読み取り専用属性有効\n隠しファイル属性有効\n"
              "に変更しました。");
    EXPECT_EQ(BuildItemReport("", "", "new.txt"), "\"\"ディレクトリ内処理中...\n\"\"を\nnew.txtに変更しました。");
}

class ChangeItemTest : public RunTest {
protected:
    bool Change(bool isFolder, const std::string& path, AttributeChoices choices, TimeEnables times = {}) {
        ItemContext context = Context();
        ItemJob job;
        job.attributeChoices = choices;
        job.timeEnables = times;
        bool changed = ChangeItem(context, ItemRecord{isFolder, ItemRef{path, "C:\\data", "memo.txt"}, nullptr}, job);
        failures = static_cast<int>(context.failures.size());
        return changed;
    }
    int failures = 0;
};

// The entry that listed the item stands in for its look-up and for the
// read of its attribute word before the first write. The second write of a
// read-only pair goes by what the first wrote; a write after a time write
// reads the word again.
TEST_F(ChangeItemTest, ListingEntryStandsInForTheLookUpAndTheFirstRead) {
    const std::string path = "C:\\data\\memo.txt";
    const TimeEnables access = {false, false, true};
    struct Case {
        const char* shows;
        uint32_t attributes;
        AttributeChoices choices;
        TimeEnables times;
        std::vector<std::string> calls;
        uint32_t after;
    } cases[] = {
        {"hidden", kAttrArchive, {L, S, L, L}, {}, {"SetAttributes " + path + " 34"}, 0x22},
        {"hidden on a read-only file", kAttrArchive | kAttrReadOnly, {L, S, L, L}, {},
         {"SetAttributes " + path + " 34", "SetAttributes " + path + " 35"}, 0x23},
        {"access time", kAttrArchive, {L, L, L, L}, access, {"SetTimes " + path}, 0x20},
        {"access time on a read-only file", kAttrArchive | kAttrReadOnly, {L, L, L, L}, access,
         {"SetAttributes " + path + " 32", "SetTimes " + path, "SetTimes " + path, "SetAttributes " + path + " 33"},
         0x21},
        {"access time and hidden", kAttrArchive, {L, S, L, L}, access,
         {"SetTimes " + path, "GetAttributes " + path, "SetAttributes " + path + " 34"}, 0x22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows);
        files.AddFile(path, c.attributes, kUnixEpochTicks + 1000000000ull * kTicksPerSecond);
        FindEntry entry;
        ASSERT_TRUE(files.FindOne(path, entry));
        files.ClearCalls();
        ItemContext context = Context();
        ItemJob job;
        job.attributeChoices = c.choices;
        job.timeEnables = c.times;
        EXPECT_TRUE(ChangeItem(context, ItemRecord{false, ItemRef{path, "C:\\data", "memo.txt"}, &entry}, job));
        EXPECT_EQ(files.Calls(), c.calls);
        EXPECT_EQ(AttributesOf(path), c.after);
        files.Find(path)->attributes = kAttrArchive;  // a read-only file can't be deleted
        files.Delete(path);
    }
}

TEST_F(ChangeItemTest, NothingAskedTouchesNothing) {
    files.AddFile("C:\\data\\memo.txt");
    files.ClearCalls();
    EXPECT_FALSE(Change(false, "C:\\data\\memo.txt", {L, L, L, L}));
    EXPECT_TRUE(files.Calls().empty());
    EXPECT_TRUE(StatusTexts().empty());
}

TEST_F(ChangeItemTest, AlreadyAsAskedWritesAndShowsNothing) {
    files.AddFile("C:\\data\\memo.txt", kAttrReadOnly);
    EXPECT_FALSE(Change(false, "C:\\data\\memo.txt", {S, L, C, L}));
    EXPECT_TRUE(files.CallsOf("SetAttributes").empty());
    EXPECT_TRUE(StatusTexts().empty());
}

TEST_F(ChangeItemTest, HiddenOnAReadOnlyFileIsWrittenTwiceAndReported) {
    files.AddFile("C:\\data\\memo.txt", kAttrReadOnly);
    EXPECT_TRUE(Change(false, "C:\\data\\memo.txt", {L, S, L, L}));
    EXPECT_EQ(files.CallsOf("SetAttributes"), (std::vector<std::string>{"SetAttributes C:\\data\\memo.txt 2",
                                                                        "SetAttributes C:\\data\\memo.txt 3"}));
    EXPECT_EQ(AttributesOf("C:\\data\\memo.txt"), 3u);
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{
                                 "変更しました。",
                                 "\"C:\\data\"ディレクトリ内処理中...\n\"memo.txt\"を\n隠しファイル属性有効\nに変更しました。"}));
    EXPECT_TRUE(files.CallsOf("SetTimes").empty());
}

TEST_F(ChangeItemTest, ClearingReadOnlyIsOneWrite) {
    files.AddFile("C:\\data\\memo.txt", kAttrReadOnly | kAttrArchive);
    EXPECT_TRUE(Change(false, "C:\\data\\memo.txt", {C, L, L, L}));
    EXPECT_EQ(files.CallsOf("SetAttributes"), std::vector<std::string>{"SetAttributes C:\\data\\memo.txt 32"});
    EXPECT_EQ(LastStatus(), BuildItemReport("C:\\data", "memo.txt", "読み取り専用属性無効\n"));
}

TEST_F(ChangeItemTest, FolderGetsAttributesOnlyWithItsFolderBit) {
    files.AddFolder("C:\\data\\sub", kAttrArchive);
    EXPECT_TRUE(Change(true, "C:\\data\\sub", {L, L, C, L}, {true, true, true}));
    EXPECT_EQ(files.CallsOf("SetAttributes"), std::vector<std::string>{"SetAttributes C:\\data\\sub 16"});
    EXPECT_TRUE(files.CallsOf("SetTimes").empty());
}

TEST_F(ChangeItemTest, FullViewOffChangesWithoutShowing) {
    fullView = 0;
    files.AddFile("C:\\data\\memo.txt", kAttrArchive);
    EXPECT_TRUE(Change(false, "C:\\data\\memo.txt", {S, L, L, L}));
    EXPECT_EQ(AttributesOf("C:\\data\\memo.txt"), 0x21u);
    EXPECT_TRUE(StatusTexts().empty());
}

TEST_F(ChangeItemTest, UnreadableItemIsSkippedAndCountedOnce) {
    EXPECT_FALSE(Change(false, "C:\\data\\gone.txt", {S, S, L, L}, {true, false, false}));
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(files.CallsOf("GetAttributes").empty());
    EXPECT_TRUE(files.CallsOf("SetAttributes").empty());
}

TEST_F(ChangeItemTest, RefusedLookUpOrWriteCountsOnceAndShowsNoReport) {
    const char* kinds[] = {"FindOne", "SetAttributes"};
    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        files.AddFile("C:\\data\\memo.txt", kAttrArchive);
        files.RefuseOperation(kind, "", 0);
        EXPECT_FALSE(Change(false, "C:\\data\\memo.txt", {S, S, L, L}));
        EXPECT_EQ(failures, 1);
        EXPECT_EQ(AttributesOf("C:\\data\\memo.txt"), kAttrArchive);
        EXPECT_TRUE(StatusTexts().empty());
        files.ClearRefusals();
        files.Delete("C:\\data\\memo.txt");
    }
}

TEST_F(ChangeItemTest, RefusedFolderWriteCounts) {
    files.AddFolder("C:\\data\\sub");
    files.RefuseOperation("SetAttributes");
    EXPECT_FALSE(Change(true, "C:\\data\\sub", {L, S, L, L}));
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(StatusTexts().empty());
}

}  // namespace
}  // namespace kelvo
