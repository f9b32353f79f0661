// A run's change record and its undo on the in-memory platform: a run and
// its undo leave the tree as it was to the 100 ns, for attributes, times,
// renames (a chain among them) and folders; items changed since are left
// and counted; a cancelled undo can be finished later; a record cut short
// or damaged is undone as far as it is sound; and which record is undone.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <tuple>

#include "resources/ControlGroups.h"
#include "tests/unit/RecordedRuns.h"
#include "tests/unit/TreeSnapshot.h"

namespace kelvo {
namespace {

using Node = MemoryFileSystem::Node;
using Tree = TreeSnapshot;

// 2001-02-03 04:05:06.1234567 UTC.
constexpr FileTime kOld = RecordedRuns::kOld;

// Public: the table of jobs builds one for each of its rows.
class UndoTest : public ::testing::Test, public RecordedRuns {
public:
    explicit UndoTest(MemoryFileSystem::Order order = MemoryFileSystem::Order::ByName) : RecordedRuns(order) {}
    // testing::Test has a Run of its own.
    using RecordedRuns::Run;
};

struct JobCase {
    const char* shows;
    MemoryFileSystem::Order order;
    std::function<void(UndoTest&)> tree;
    std::function<void(MemoryWindow&)> job;
};

void Attributes(MemoryWindow& window) {
    window.SetCheck(IDC_READ_ONLY, kChecked);
    window.SetCheck(IDC_HIDDEN, kChecked);
    window.SetCheck(IDC_ARCHIVE, kUnchecked);
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
}

void Times(MemoryWindow& window) {
    const char* const typed[kDateFieldCount] = {"2020", "5", "17", "10", "20", "30"};
    const char* const noYear[kDateFieldCount] = {"", "1", "2", "3", "4", "5"};
    for (int row = 0; row < 3; ++row) {
        window.SetCheck(kDateRows[row].box, kChecked);
        for (int i = 0; i < kDateFieldCount; ++i) window.SetText(kDateRows[row].edits[i], row == 1 ? noYear[i] : typed[i]);
    }
}

void Rename(MemoryWindow& window) {
    window.SetCheck(IDC_RENAME_ON, kChecked);
    window.SetText(IDC_TITLE_HEAD, "x");
}

class UndoJobs : public ::testing::TestWithParam<JobCase> {};

TEST_P(UndoJobs, RunThenUndoLeavesTheTreeAsItWas) {
    const JobCase& c = GetParam();
    struct Fixture : UndoTest {
        explicit Fixture(MemoryFileSystem::Order order) : UndoTest(order) {}
        void TestBody() override {}
    } test(c.order);
    c.tree(test);
    c.job(test.window);
    const Tree before = test.Snapshot();
    ASSERT_EQ(test.Run(), RunEnd::Finished);
    ASSERT_NE(test.Snapshot(), before);
    ASSERT_EQ(test.Undo(), RunEnd::Finished);
    EXPECT_EQ(test.Status(), "\"C:\\T\"\n直前の一括変更を元に戻しました。");
    EXPECT_EQ(test.Snapshot(), before);
    // The run is undone: nothing is left to undo, and the undo's own record is never offered.
    UndoableRecord next;
    EXPECT_EQ(FindUndoableRecord(test.records, next), UndoableFound::None);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, UndoJobs,
    ::testing::Values(
        JobCase{"attributes of files and folders", MemoryFileSystem::Order::ByName,
                [](UndoTest& t) {
                    t.File("C:\\T\\a.txt");
                    t.File("C:\\T\\ro.txt", kAttrArchive | kAttrReadOnly);
                    t.File("C:\\T\\sub\\b.txt", kAttrHidden | kAttrNotContentIndexed);
                },
                Attributes},
        JobCase{"three times, one filled from each file's own",
                MemoryFileSystem::Order::ByName,
                [](UndoTest& t) {
                    t.File("C:\\T\\a.txt");
                    t.File("C:\\T\\ro.txt", kAttrArchive | kAttrReadOnly, kOld + 86400 * kTicksPerSecond);
                    t.File("C:\\T\\sub\\b.txt");
                },
                Times},
        JobCase{"renames, one onto another file's old name", MemoryFileSystem::Order::Insertion,
                [](UndoTest& t) {
                    t.File("C:\\T\\xa.txt");
                    t.File("C:\\T\\a.txt");
                    t.File("C:\\T\\sub\\b.txt");
                },
                Rename},
        JobCase{"everything at once", MemoryFileSystem::Order::Insertion,
                [](UndoTest& t) {
                    t.File("C:\\T\\xa.txt");
                    t.File("C:\\T\\a.txt", kAttrArchive | kAttrReadOnly);
                    t.File("C:\\T\\sub\\deeper\\b.txt", kAttrHidden);
                },
                [](MemoryWindow& window) {
                    Attributes(window);
                    Times(window);
                    Rename(window);
                }}),
    [](const ::testing::TestParamInfo<JobCase>& info) { return std::to_string(info.index); });

TEST_F(UndoTest, ItemChangedSinceTheRunIsLeftAndCounted) {
    File("C:\\T\\a.txt");
    File("C:\\T\\b.txt");
    window.SetCheck(IDC_HIDDEN, kChecked);
    ASSERT_EQ(Run(), RunEnd::Finished);
    files.Find("C:\\T\\b.txt")->attributes |= kAttrSystem;
    ASSERT_EQ(Undo(), RunEnd::Finished);
    EXPECT_EQ(Status(), "\"C:\\T\"\n直前の一括変更を元に戻しました。\n元に戻せなかった項目: 1件");
    EXPECT_EQ(files.Find("C:\\T\\a.txt")->attributes, kAttrArchive);
    EXPECT_EQ(files.Find("C:\\T\\b.txt")->attributes, kAttrArchive | kAttrHidden | kAttrSystem);
    const std::vector<std::string> undo = NewestRecord();
    ASSERT_FALSE(undo.empty());
    EXPECT_EQ(undo.front(), "Kelvo change record\t1\tundo");
    EXPECT_NE(std::find(undo.begin(), undo.end(), "left\tC:\\T\\b.txt\t0\t一括変更の後に変更されています"), undo.end());
    EXPECT_EQ(undo.back(), "end\tfinished\t1\t1");
}

// Renamed and changed by the run, then given its old name back by hand: it
// is neither where the run left it nor as it was, and the undo writes
// nothing to it.
TEST_F(UndoTest, ItemRenamedBackByHandIsLeftUntouched) {
    File("C:\\T\\a.txt");
    window.SetCheck(IDC_HIDDEN, kChecked);
    Rename(window);
    ASSERT_EQ(Run(), RunEnd::Finished);
    ASSERT_TRUE(files.Move("C:\\T\\xa.txt", "C:\\T\\a.txt"));
    files.ClearCalls();
    ASSERT_EQ(Undo(), RunEnd::Finished);
    // The rename by hand moved the folder's time too: it is not the run's, and is counted.
    EXPECT_EQ(Status(), "\"C:\\T\"\n直前の一括変更を元に戻しました。\n元に戻せなかった項目: 2件");
    EXPECT_EQ(files.Find("C:\\T\\a.txt")->attributes, kAttrArchive | kAttrHidden);
    EXPECT_TRUE(files.CallsOf("WriteItem").empty());
    EXPECT_TRUE(files.CallsOf("Move").empty());
}

// Its state taken back but its old name refused (in use, say): the item
// gets the state the run left it with again, so it is never half taken back.
TEST_F(UndoTest, ItemWhoseNameCantComeBackKeepsTheStateTheRunLeft) {
    File("C:\\T\\a.txt");
    window.SetCheck(IDC_HIDDEN, kChecked);
    Rename(window);
    ASSERT_EQ(Run(), RunEnd::Finished);
    files.RefuseOperation("Move", "", 0, kErrorSharingViolation);
    ASSERT_EQ(Undo(), RunEnd::Finished);
    EXPECT_EQ(Status(), "\"C:\\T\"\n直前の一括変更を元に戻しました。\n元に戻せなかった項目: 1件");
    ASSERT_NE(files.Find("C:\\T\\xa.txt"), nullptr);
    EXPECT_EQ(files.Find("C:\\T\\xa.txt")->attributes, kAttrArchive | kAttrHidden);
    // Only the folder, whose time the run's rename moved, is written down as taken back.
    EXPECT_EQ(NewestRecord().back(), "end\tfinished\t1\t1");
}

TEST_F(UndoTest, CancelledUndoIsFinishedByTheNextAndPassesOverWhatIsBack) {
    File("C:\\T\\a.txt");
    File("C:\\T\\b.txt");
    window.SetCheck(IDC_HIDDEN, kChecked);
    const Tree before = Snapshot();
    ASSERT_EQ(Run(), RunEnd::Finished);
    // b.txt is undone first (reverse order); the cancel comes during it.
    files.BeforeCall("UpdateItem", "b.txt", [this] { cancel = true; });
    ASSERT_EQ(Undo(), RunEnd::Cancelled);
    EXPECT_EQ(Status(), "\"C:\\T\"\n直前の一括変更を元に戻すのを中断しました。");
    EXPECT_EQ(files.Find("C:\\T\\a.txt")->attributes, kAttrArchive | kAttrHidden);
    EXPECT_EQ(files.Find("C:\\T\\b.txt")->attributes, kAttrArchive);
    cancel = false;
    ASSERT_EQ(Undo(), RunEnd::Finished);
    EXPECT_EQ(Status(), "\"C:\\T\"\n直前の一括変更を元に戻しました。");
    EXPECT_EQ(Snapshot(), before);
    // The second undo took back a.txt alone.
    EXPECT_EQ(NewestRecord().back(), "end\tfinished\t1\t0");
}

TEST_F(UndoTest, RecordCutShortOrDamagedIsUndoneAsFarAsItIsSound) {
    File("C:\\T\\a.txt");
    File("C:\\T\\b.txt");
    File("C:\\T\\c.txt");
    window.SetCheck(IDC_HIDDEN, kChecked);
    ASSERT_EQ(Run(), RunEnd::Finished);
    const std::string name = records.Names().back();
    MemoryRecordStore::Lines lines = records.LinesOf(name);
    ASSERT_EQ(lines.back().text, "end\tfinished\t3\t0");
    lines.pop_back();  // cut short: no last line
    for (MemoryRecordStore::Line& line : lines) {
        if (line.text.find("b.txt") != std::string::npos) line.text.resize(line.text.size() - 3);  // damaged
    }
    records.Put(name, lines);
    UndoableRecord record;
    ASSERT_EQ(FindUndoableRecord(records, record), UndoableFound::Found);
    EXPECT_EQ(record.changedCount, -1);  // no end line: not counted on the caller's thread
    EXPECT_EQ(CountChangedItems(records, name), 2);  // counted line by line: the damaged one doesn't read
    ASSERT_EQ(Undo(), RunEnd::Finished);
    EXPECT_EQ(Status(), "\"C:\\T\"\n直前の一括変更を元に戻しました。\n元に戻せなかった項目: 1件");
    EXPECT_EQ(files.Find("C:\\T\\a.txt")->attributes, kAttrArchive);
    EXPECT_EQ(files.Find("C:\\T\\b.txt")->attributes, kAttrArchive | kAttrHidden);
    EXPECT_EQ(files.Find("C:\\T\\c.txt")->attributes, kAttrArchive);
}

// What a run writes: the header with the job, a line per item changed with
// its state before and after, a line per item left with its code, the end.
TEST_F(UndoTest, RecordNamesEveryItemChangedAndLeft) {
    File("C:\\T\\a.txt");
    File("C:\\T\\held.txt");
    window.SetCheck(IDC_HIDDEN, kChecked);
    files.RefuseOperation("WriteItem", "held.txt");
    clock.SetNow(1765261800);  // 2025-12-09 06:30:00 UTC; the clock's zone is UTC
    clock.SetNowFraction(1230000);
    ASSERT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(records.Names(), std::vector<std::string>{"00000001-20251209-063000-123.txt"});
    EXPECT_EQ(NewestRecord(),
              (std::vector<std::string>{
                  "Kelvo change record\t1\trun",
                  "target\tC:\\T\tC:\\T",
                  "mode\tfolder",
                  "start\t2025-12-09T06:30:00.1230000Z",
                  "attributes\tleave\tset\tleave\tleave\tfiles only",
                  "creation\toff",
                  "modification\toff",
                  "access\toff",
                  "rename\toff",
                  // Each item's old state and the state the run means to leave it in, before it changes.
                  "changing\tfile\tC:\\T\\a.txt\tC:\\T\\a.txt\t0x00000020\t0x00000022\t"
                  "2001-02-03T04:05:06.1234560Z\t2001-02-03T04:05:06.1234560Z\t"
                  "2001-02-03T04:05:06.1234570Z\t2001-02-03T04:05:06.1234570Z\t"
                  "2001-02-03T04:05:06.1234567Z\t2001-02-03T04:05:06.1234567Z",
                  "changed\tfile\tC:\\T\\a.txt\tC:\\T\\a.txt\t0x00000020\t0x00000022\t"
                  "2001-02-03T04:05:06.1234560Z\t2001-02-03T04:05:06.1234560Z\t"
                  "2001-02-03T04:05:06.1234570Z\t2001-02-03T04:05:06.1234570Z\t"
                  "2001-02-03T04:05:06.1234567Z\t2001-02-03T04:05:06.1234567Z",
                  "changing\tfile\tC:\\T\\held.txt\tC:\\T\\held.txt\t0x00000020\t0x00000022\t"
                  "2001-02-03T04:05:06.1234560Z\t2001-02-03T04:05:06.1234560Z\t"
                  "2001-02-03T04:05:06.1234570Z\t2001-02-03T04:05:06.1234570Z\t"
                  "2001-02-03T04:05:06.1234567Z\t2001-02-03T04:05:06.1234567Z",
                  "left\tC:\\T\\held.txt\t1117\t(message 1117)",
                  "end\tfinished\t1\t1",
              }));
}

TEST_F(UndoTest, WithoutARecordTheUserSaysWhetherToGoOn) {
    File("C:\\T\\a.txt");
    window.SetCheck(IDC_HIDDEN, kChecked);
    records.RefuseCreate(true);
    window.AnswerMessageBoxes(kIdNo);
    EXPECT_EQ(Run(), RunEnd::Refused);
    ASSERT_EQ(window.MessageBoxes().size(), 1u);
    EXPECT_EQ(window.MessageBoxes()[0].text, "変更記録を作成できません。記録なしで実行しますか?");
    EXPECT_EQ(window.MessageBoxes()[0].caption, "確認");
    EXPECT_EQ(window.MessageBoxes()[0].style, 0x4u | 0x30u);
    EXPECT_EQ(files.Find("C:\\T\\a.txt")->attributes, kAttrArchive);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(window.Beeps(), 0);
    std::string current;
    files.GetCurrentDirectory(current);
    EXPECT_EQ(current, "C:\\");

    window.AnswerMessageBoxes(kIdYes);
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(files.Find("C:\\T\\a.txt")->attributes, kAttrArchive | kAttrHidden);
    EXPECT_TRUE(records.Names().empty());
}

TEST_F(UndoTest, TheNewestTwentyRecordsAreKept) {
    for (int i = 0; i < 25; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "20200101-0000%02d-000.txt", i);
        records.Put(name, {{"Kelvo change record\t1\trun", true}});
    }
    File("C:\\T\\a.txt");
    ASSERT_EQ(Run(), RunEnd::Finished);
    // Records named the old way come first, the numbered run's own last.
    const std::vector<std::string> names = records.Names();
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(names.front(), "00000001-20231114-221320-000.txt");  // the run's own: 1,700,000,000 s, in UTC
    EXPECT_EQ(names[1], "20200101-000006-000.txt");
}

TEST(UndoableRecords, TheNewestRunWithChangesNotYetUndone) {
    MemoryRecordStore store;
    const MemoryRecordStore::Lines header = {{"Kelvo change record\t1\trun", true},
                                             {"target\tC:\\T\tC:\\T", true},
                                             {"mode\tfolder", true},
                                             {"start\t2026-12-09T06:30:00.0000000Z", true}};
    auto with = [&header](std::vector<std::string> tail, const char* kind = "run") {
        MemoryRecordStore::Lines lines = header;
        lines[0].text = std::string("Kelvo change record\t1\t") + kind;
        for (const std::string& line : tail) lines.push_back({line, true});
        return lines;
    };
    store.Put("1.txt", with({"end\tfinished\t4\t0"}));
    store.Put("2.txt", with({"end\tfinished\t2\t0", "undone\t3.txt"}));
    store.Put("3.txt", with({"end\tfinished\t2\t0"}, "undo"));
    store.Put("4.txt", with({"end\tfinished\t0\t3"}));
    store.Put("5.txt", with({"end\tfinished\t9\t0"}, "preview"));
    store.Put("6.txt", {{"not a record at all", true}});
    UndoableRecord found;
    ASSERT_EQ(FindUndoableRecord(store, found), UndoableFound::Found);
    EXPECT_EQ(found.name, "1.txt");
    EXPECT_EQ(found.changedCount, 4);
    EXPECT_EQ(found.targetTyped, "C:\\T");
    EXPECT_EQ(found.start, 134412714000000000ULL);

    store.Put("7.txt", {{"Kelvo change record\t2\trun", true}});
    EXPECT_EQ(FindUndoableRecord(store, found), UndoableFound::Unreadable);
    EXPECT_EQ(found.name, "7.txt");
    store.Put("7.txt", with({"end\tfinished\t1\t0"}));
    store.Delete("1.txt");
    EXPECT_EQ(FindUndoableRecord(store, found), UndoableFound::Found);
    EXPECT_EQ(found.name, "7.txt");
}

}  // namespace
}  // namespace kelvo
