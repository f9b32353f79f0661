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
        bool changed = ChangeItem(context, ItemRecord{isFolder, ItemRef{path, "C:\\data", "memo.txt"}}, job);
        failures = context.failures;
        return changed;
    }
    std::vector<ItemFailure> failures;
};

// Each item is opened once: its word and times are read from the open item
// and whatever the job asks is written in one call, a read-only file's new
// times included. A change of times alone leaves the word alone.
TEST_F(ChangeItemTest, OneUpdateReadsAndWritesEachItemOnce) {
    const std::string path = "C:\\data\\memo.txt";
    const TimeEnables access = {false, false, true};
    // 2001-09-09 01:46:40 UTC, the time the file has, in whole seconds:
    // (1,000,000,000 s + 11,644,473,600 s from 1601 to 1970) * 10^7.
    const std::string accessTicks = "126444736000000000";
    struct Case {
        const char* shows;
        uint32_t attributes;
        AttributeChoices choices;
        TimeEnables times;
        std::string write;
        uint32_t after;
    } cases[] = {
        {"hidden", kAttrArchive, {L, S, L, L}, {}, "34 - - -", 0x22},
        {"hidden on a read-only file", kAttrArchive | kAttrReadOnly, {L, S, L, L}, {}, "35 - - -", 0x23},
        {"access time", kAttrArchive, {L, L, L, L}, access, "- - " + accessTicks + " -", 0x20},
        {"access time on a read-only file", kAttrArchive | kAttrReadOnly, {L, L, L, L}, access,
         "- - " + accessTicks + " -", 0x21},
        {"access time and hidden", kAttrArchive, {L, S, L, L}, access, "34 - " + accessTicks + " -", 0x22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows);
        files.AddFile(path, c.attributes, kUnixEpochTicks + 1000000000ull * kTicksPerSecond + 4321);
        files.ClearCalls();
        EXPECT_TRUE(Change(false, path, c.choices, c.times));
        EXPECT_EQ(files.Calls(), (std::vector<std::string>{"UpdateItem " + path, "WriteItem " + path + " " + c.write}));
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
    EXPECT_TRUE(files.CallsOf("WriteItem").empty());
    EXPECT_TRUE(StatusTexts().empty());
}

TEST_F(ChangeItemTest, HiddenOnAReadOnlyFileIsOneWriteAndReported) {
    files.AddFile("C:\\data\\memo.txt", kAttrReadOnly);
    EXPECT_TRUE(Change(false, "C:\\data\\memo.txt", {L, S, L, L}));
    EXPECT_EQ(files.CallsOf("WriteItem"), std::vector<std::string>{"WriteItem C:\\data\\memo.txt 3 - - -"});
    EXPECT_EQ(AttributesOf("C:\\data\\memo.txt"), 3u);
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{
                                 "変更しました。",
                                 "\"C:\\data\"ディレクトリ内処理中...\n\"memo.txt\"を\n隠しファイル属性有効\nに変更しました。"}));
}

// Both halves in one update: the texts still come as each half shows them,
// the time half's first.
TEST_F(ChangeItemTest, TimeAndAttributeTextsComeInTheirOrder) {
    files.AddFile("C:\\data\\memo.txt", kAttrArchive, kUnixEpochTicks + 1000000000ull * kTicksPerSecond);
    ItemContext context = Context();
    ItemJob job;
    job.attributeChoices = {L, S, L, L};
    job.timeEnables = {false, true, false};
    job.modificationFields = DateTimeFields{{"2004", "1", "2", "3", "4", "5"}};
    ASSERT_TRUE(ChangeItem(context, ItemRecord{false, ItemRef{"C:\\data\\memo.txt", "C:\\data", "memo.txt"}}, job));
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{
                                 "変更しました。",
                                 "\"C:\\data\"ディレクトリ内処理中...\n\"memo.txt\"を\n更新日時 : 2004年1月2日 3:4:5\nに変更しました。",
                                 "変更しました。",
                                 "\"C:\\data\"ディレクトリ内処理中...\n\"memo.txt\"を\n隠しファイル属性有効\nに変更しました。"}));
}

TEST_F(ChangeItemTest, ClearingReadOnlyIsOneWrite) {
    files.AddFile("C:\\data\\memo.txt", kAttrReadOnly | kAttrArchive);
    EXPECT_TRUE(Change(false, "C:\\data\\memo.txt", {C, L, L, L}));
    EXPECT_EQ(files.CallsOf("WriteItem"), std::vector<std::string>{"WriteItem C:\\data\\memo.txt 32 - - -"});
    EXPECT_EQ(LastStatus(), "\"C:\\data\"ディレクトリ内処理中...\n\"memo.txt\"を\n読み取り専用属性無効\nに変更しました。");
}

TEST_F(ChangeItemTest, FolderGetsAttributesOnlyWithItsFolderBit) {
    files.AddFolder("C:\\data\\sub", kAttrArchive);
    EXPECT_TRUE(Change(true, "C:\\data\\sub", {L, L, C, L}, {true, true, true}));
    EXPECT_EQ(files.CallsOf("WriteItem"), std::vector<std::string>{"WriteItem C:\\data\\sub 16 - - -"});
}

TEST_F(ChangeItemTest, FullViewOffChangesWithoutShowing) {
    fullView = 0;
    files.AddFile("C:\\data\\memo.txt", kAttrArchive);
    EXPECT_TRUE(Change(false, "C:\\data\\memo.txt", {S, L, L, L}));
    EXPECT_EQ(AttributesOf("C:\\data\\memo.txt"), 0x21u);
    EXPECT_TRUE(StatusTexts().empty());
}

// An item that isn't there, whose update or write is refused, or that is no
// longer of the kind listed, is left as it is, shows no report and counts
// once with the code that kept it.
TEST_F(ChangeItemTest, ItemLeftAsItIsCountsOnceAndShowsNoReport) {
    struct Case {
        const char* shows;
        bool isFolder;
        const char* refused;  // the operation refused, if any
        bool stored;          // an item of that path exists
        bool folderStored;    // and it is a folder
        bool held;            // another program holds it open
        uint32_t error;
    } cases[] = {
        {"gone", false, nullptr, false, false, false, kErrorFileNotFound},
        {"update refused", false, "UpdateItem", true, false, false, kErrorInjected},
        {"write refused", false, "WriteItem", true, false, false, kErrorInjected},
        {"folder write refused", true, "WriteItem", true, true, false, kErrorInjected},
        {"a folder where a file was listed", false, nullptr, true, true, false, kErrorFileNotFound},
        {"held open by another program while times are asked", false, nullptr, true, false, true,
         kErrorSharingViolation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows);
        const bool folderStored = c.folderStored;
        if (c.stored) {
            if (folderStored) {
                files.AddFolder("C:\\data\\memo.txt");
            } else {
                files.AddFile("C:\\data\\memo.txt", kAttrArchive).locked = c.held;
            }
        }
        if (c.refused != nullptr) files.RefuseOperation(c.refused, "", 0);
        window.SetText(IDC_STATUS, "");
        EXPECT_FALSE(Change(c.isFolder, "C:\\data\\memo.txt", {S, S, L, L}, {true, false, false}));
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures[0].path, "C:\\data\\memo.txt");
        EXPECT_EQ(failures[0].error, c.error);
        if (c.stored) {
            EXPECT_EQ(AttributesOf("C:\\data\\memo.txt") & 0xFF, folderStored ? kAttrDirectory : kAttrArchive);
        }
        EXPECT_EQ(window.GetText(IDC_STATUS), "");
        files.ClearRefusals();
        if (MemoryFileSystem::Node* node = files.Find("C:\\data\\memo.txt")) {
            node->parent->children.clear();
        }
    }
}

// Where the system won't let the update write a read-only file's times,
// the file is written by separate calls: read-only off, the times (twice,
// once for each write of the pair), read-only back on. A file that isn't
// read-only has no such way round and counts.
TEST_F(ChangeItemTest, RefusedUpdateOfAReadOnlyFileFallsBackToSeparateWrites) {
    const std::string path = "C:\\data\\memo.txt";
    files.AddFile(path, kAttrReadOnly | kAttrArchive, kUnixEpochTicks + 5 * kTicksPerSecond + 777).updateWriteRefused =
        true;
    EXPECT_TRUE(Change(false, path, {L, S, L, L}, {false, true, false}));
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(files.CallsOf("SetAttributes"),
              (std::vector<std::string>{"SetAttributes " + path + " 34", "SetAttributes " + path + " 35"}));
    EXPECT_EQ(files.CallsOf("SetTimes").size(), 2u);
    EXPECT_EQ(AttributesOf(path), kAttrReadOnly | kAttrArchive | kAttrHidden);
    EXPECT_EQ(files.Find(path)->modification, kUnixEpochTicks + 5 * kTicksPerSecond);

    files.Find(path)->attributes = kAttrArchive;
    files.ClearCalls();
    EXPECT_FALSE(Change(false, path, {L, S, L, L}, {false, true, false}));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].error, kErrorAccessDenied);
    EXPECT_TRUE(files.CallsOf("SetAttributes").empty());
    EXPECT_EQ(AttributesOf(path), kAttrArchive);
}

}  // namespace
}  // namespace kelvo
