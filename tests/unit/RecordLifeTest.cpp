// A change record over its whole life, as a careful user would try it: a
// run cut short between an item's change and its outcome, another
// program's file under a name the run gave, lines edited by hand that name
// items outside the target or through a link, and times at the edges of
// what a file can hold. Each row runs, does what came between, undoes and
// says what the tree must look like then.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>

#include "resources/ControlGroups.h"
#include "run/RecordFormat.h"
#include "tests/unit/RecordedRuns.h"

namespace kelvo {
namespace {

using Node = MemoryFileSystem::Node;
constexpr FileTime kOld = RecordedRuns::kOld;

class Life : public RecordedRuns {
public:
    // The run's record, for a row to cut or edit.
    MemoryRecordStore::Lines& RunLines() {
        name_ = records.Names().back();
        lines_ = records.LinesOf(name_);
        return lines_;
    }
    void PutRunLines() { records.Put(name_, lines_); }
    // Cuts the run's record after its last line of `kind`, as a run killed
    // right after that line reached the file leaves it.
    void CutAfterLast(const std::string& kind) {
        MemoryRecordStore::Lines& lines = RunLines();
        size_t last = lines.size();
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].text.rfind(kind + "\t", 0) == 0) last = i;
        }
        ASSERT_LT(last, lines.size());
        lines.resize(last + 1);
        PutRunLines();
    }

private:
    std::string name_;
    MemoryRecordStore::Lines lines_;
};

void Hidden(MemoryWindow& window) { window.SetCheck(IDC_HIDDEN, kChecked); }
void Rename(MemoryWindow& window) {
    window.SetCheck(IDC_RENAME_ON, kChecked);
    window.SetText(IDC_TITLE_HEAD, "x");
}

const char* const kUndone = "\"C:\\T\"\n直前の一括変更を元に戻しました。";

struct LifeCase {
    const char* shows;
    std::function<void(Life&)> tree;
    std::function<void(MemoryWindow&)> job;
    // What happens between the run and its undo.
    std::function<void(Life&)> between;
    // The undo's closing text, and a check of the tree after it against
    // the tree before the run.
    const char* status;
    std::function<void(Life&, const TreeSnapshot& before)> check;
};

void AsBefore(Life& life, const TreeSnapshot& before) { EXPECT_EQ(life.Snapshot(), before); }

class RecordLife : public ::testing::TestWithParam<LifeCase> {};

TEST_P(RecordLife, UndoAfterWhatCameBetween) {
    const LifeCase& c = GetParam();
    Life life;
    c.tree(life);
    c.job(life.window);
    const TreeSnapshot before = life.Snapshot();
    ASSERT_EQ(life.Run(), RunEnd::Finished);
    c.between(life);
    ASSERT_EQ(life.Undo(), RunEnd::Finished);
    EXPECT_EQ(life.Status(), c.status);
    c.check(life, before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecordLife,
    ::testing::Values(
        LifeCase{"killed after an item changed, before its outcome reached the record: the item comes back",
                 [](Life& t) {
                     t.File("C:\\T\\a.txt");
                     t.File("C:\\T\\b.txt");
                 },
                 Hidden, [](Life& t) { t.CutAfterLast("changing"); }, kUndone, AsBefore},
        LifeCase{"killed between a rename and the update after it: the name comes back",
                 [](Life& t) { t.File("C:\\T\\a.txt"); },
                 [](MemoryWindow& w) {
                     Hidden(w);
                     Rename(w);
                 },
                 [](Life& t) {
                     t.CutAfterLast("changing");
                     t.files.Find("C:\\T\\xa.txt")->attributes = kAttrArchive;  // the update never came
                 },
                 // The folder's state after the rename never reached the
                 // record: its time can't be told from another program's.
                 "\"C:\\T\"\n直前の一括変更を元に戻しました。\n元に戻せなかった項目: 1件",
                 [](Life& t, const TreeSnapshot& before) {
                     TreeSnapshot now = t.Snapshot();
                     EXPECT_EQ(now.at("C:\\T\\a.txt"), before.at("C:\\T\\a.txt"));
                     EXPECT_EQ(now.size(), before.size());
                 }},
        LifeCase{"killed before the change: nothing to take back, nothing left",
                 [](Life& t) { t.File("C:\\T\\a.txt"); }, Hidden,
                 [](Life& t) {
                     t.CutAfterLast("changing");
                     t.files.Find("C:\\T\\a.txt")->attributes = kAttrArchive;
                 },
                 kUndone, AsBefore},
        LifeCase{"a rename alone, then another program's file under the new name: left",
                 [](Life& t) { t.File("C:\\T\\a.txt"); }, Rename,
                 [](Life& t) { t.files.Find("C:\\T\\xa.txt")->modification = kOld + kTicksPerSecond; },
                 "\"C:\\T\"\n直前の一括変更を元に戻しました。\n元に戻せなかった項目: 1件",
                 [](Life& t, const TreeSnapshot&) {
                     EXPECT_TRUE(t.files.Exists("C:\\T\\xa.txt"));
                     EXPECT_FALSE(t.files.Exists("C:\\T\\a.txt"));
                 }},
        LifeCase{"lines edited by hand: outside the target, across folders, a folder renamed, through a link",
                 [](Life& t) {
                     t.File("C:\\T\\a.txt");
                     t.files.AddFolder("C:\\T\\sub");
                     t.File("C:\\Out\\o.txt").attributes = kAttrArchive | kAttrHidden;
                     t.File("C:\\Out\\p.txt");
                     t.files.AddLink("C:\\T\\link", "C:\\Out");
                 },
                 Hidden,
                 [](Life& t) {
                     const std::string o = "0x00000020\t0x00000022\t2001-02-03T04:05:06.1234560Z\t"
                                           "2001-02-03T04:05:06.1234560Z\t2001-02-03T04:05:06.1234570Z\t"
                                           "2001-02-03T04:05:06.1234570Z\t2001-02-03T04:05:06.1234567Z\t"
                                           "2001-02-03T04:05:06.1234567Z";
                     const std::string alone = "0x00000020\t0x00000020\t2001-02-03T04:05:06.1234560Z\t"
                                               "2001-02-03T04:05:06.1234560Z\t2001-02-03T04:05:06.1234570Z\t"
                                               "2001-02-03T04:05:06.1234570Z\t2001-02-03T04:05:06.1234567Z\t"
                                               "2001-02-03T04:05:06.1234567Z";
                     MemoryRecordStore::Lines& lines = t.RunLines();
                     const auto end = lines.end() - 1;
                     lines.insert(end, {{"changed\tfile\tC:\\Out\\o.txt\tC:\\Out\\o.txt\t" + o, true},
                                        {"changed\tfile\tC:\\T\\link\\o.txt\tC:\\T\\link\\o.txt\t" + o, true},
                                        {"changed\tfile\tC:\\Out\\p.txt\tC:\\T\\sub\\p.txt\t" + alone, true},
                                        {"changed\tfolder\tC:\\T\\sub\tC:\\T\\bus\t" + alone, true}});
                     t.PutRunLines();
                 },
                 "\"C:\\T\"\n直前の一括変更を元に戻しました。\n元に戻せなかった項目: 4件",
                 [](Life& t, const TreeSnapshot& before) {
                     EXPECT_EQ(t.Snapshot(), before);
                     EXPECT_EQ(t.files.Find("C:\\Out\\o.txt")->attributes, kAttrArchive | kAttrHidden);
                     EXPECT_TRUE(t.files.Exists("C:\\Out\\p.txt"));
                 }},
        LifeCase{"an old time the system would read as leave it: never written, the item counted",
                 [](Life& t) { t.File("C:\\T\\a.txt"); },
                 [](MemoryWindow& w) {
                     w.SetCheck(kDateRows[1].box, kChecked);
                     const char* const typed[kDateFieldCount] = {"2020", "5", "17", "10", "20", "30"};
                     for (int i = 0; i < kDateFieldCount; ++i) w.SetText(kDateRows[1].edits[i], typed[i]);
                 },
                 [](Life& t) {
                     // As if the file had had no modification time at all.
                     for (MemoryRecordStore::Line& line : t.RunLines()) {
                         if (line.text.rfind("changed\t", 0) != 0) continue;
                         const std::string old = "2001-02-03T04:05:06.1234567Z\t";
                         line.text.replace(line.text.rfind(old), old.size(), "1601-01-01T00:00:00.0000000Z\t");
                     }
                     t.PutRunLines();
                     t.files.ClearCalls();
                 },
                 "\"C:\\T\"\n直前の一括変更を元に戻しました。\n元に戻せなかった項目: 1件",
                 [](Life& t, const TreeSnapshot&) {
                     EXPECT_NE(t.files.Find("C:\\T\\a.txt")->modification, 0u);
                     EXPECT_TRUE(t.files.CallsOf("WriteItem C:\\T\\a.txt").empty());
                 }}),
    [](const ::testing::TestParamInfo<LifeCase>& info) { return std::to_string(info.index); });

// A record that can no longer be written stops the run at once, before
// the next item changes: the walk ends as a cancel does, says why, and the
// undo still takes back what the record names.
TEST(RecordLifeStop, RecordWriteRefusedStopsTheRunAndItsUndoStillWorks) {
    Life life;
    life.File("C:\\T\\a.txt");
    life.File("C:\\T\\b.txt");
    life.File("C:\\T\\c.txt");
    Hidden(life.window);
    const TreeSnapshot before = life.Snapshot();
    // The header (9 lines) and the first item's line before its change.
    life.records.RefuseWritesAfter(10);
    ASSERT_EQ(life.Run(), RunEnd::Cancelled);
    EXPECT_EQ(life.Status(), "\"C:\\T\"\nディレクトリ内の処理中に中断しました。");
    ASSERT_FALSE(life.window.MessageBoxes().empty());
    EXPECT_EQ(life.window.MessageBoxes().back().text, "変更記録を書き込めないため、一括変更を中断しました。");
    EXPECT_EQ(life.window.MessageBoxes().back().caption, "エラー");
    // Only the first file changed: its line reached the record before it did.
    EXPECT_EQ(life.files.Find("C:\\T\\a.txt")->attributes, kAttrArchive | kAttrHidden);
    EXPECT_EQ(life.files.Find("C:\\T\\b.txt")->attributes, kAttrArchive);
    EXPECT_EQ(life.files.Find("C:\\T\\c.txt")->attributes, kAttrArchive);
    life.records.RefuseWritesAfter(1000000);
    life.window.AnswerMessageBoxes(kIdYes);
    ASSERT_EQ(life.Undo(true), RunEnd::Finished);
    EXPECT_EQ(life.Snapshot(), before);
}

// An item whose name has no code page 932 form is named in the record by
// its own name, which the record's UTF-8 holds, not by its folder alone.
TEST(RecordLifeNames, ItemWithoutACodePage932NameIsNamedByItsOwnName) {
    Life life;
    life.File("C:\\T\\a.txt");
    life.File("C:\\T\\caf\xC3\xA9.txt").exact = false;  // "café.txt" as the system has it
    Hidden(life.window);
    ASSERT_EQ(life.Run(), RunEnd::Finished);
    const MemoryRecordStore::Lines lines = life.records.LinesOf(life.records.Names().back());
    const std::string named = "left\tC:\\T\\caf\xC3\xA9.txt\t";
    auto line = std::find_if(lines.begin(), lines.end(), [&named](const MemoryRecordStore::Line& l) {
        return l.text.compare(0, named.size(), named) == 0;
    });
    ASSERT_NE(line, lines.end());
    EXPECT_FALSE(line->exact);
}

// Every time a file can hold reads back as written: one tick after
// 1601-01-01 and the largest, 30828-09-14 02:48:05.4775807 UTC.
TEST(RecordTimes, EdgesOfWhatAFileCanHoldReadBack) {
    const struct {
        FileTime ticks;
        const char* text;
    } rows[] = {{1, "1601-01-01T00:00:00.0000001Z"},
                {0x7FFFFFFFFFFFFFFFull, "30828-09-14T02:48:05.4775807Z"}};
    for (const auto& row : rows) {
        EXPECT_EQ(TimeText(row.ticks), row.text);
        FileTime back = 0;
        ASSERT_TRUE(ParseTimeText(row.text, back)) << row.text;
        EXPECT_EQ(back, row.ticks);
    }
    FileTime back = 0;
    EXPECT_FALSE(ParseTimeText("09999-01-01T00:00:00.0000000Z", back));  // five digits only past 9999
    EXPECT_FALSE(ParseTimeText("99999-12-31T23:59:59.9999999Z", back));  // past what 64 bits count
}

}  // namespace
}  // namespace kelvo
