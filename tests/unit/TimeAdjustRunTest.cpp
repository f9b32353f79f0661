// A time-adjust run on the in-memory platform: the job given to the run
// rather than read from the window, only times changed (folders too where
// asked), each item's text, the run's closing texts, the record's header
// lines, an item left for a time outside what the system stores, the
// single file, the preview, and the undo that takes it all back.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "resources/ControlGroups.h"
#include "run/JobSettings.h"
#include "run/RunJob.h"
#include "tests/unit/RecordedRuns.h"

namespace kelvo {
namespace {

using Node = MemoryFileSystem::Node;

constexpr FileTime kModified = 126256467061234567;    // 2001-02-03 04:05:06.1234567 UTC
constexpr FileTime kDayBefore = 126255603061234567;   // 2001-02-02 04:05:06.1234567 UTC
constexpr FileTime kCreated = 129230538110000005;     // 2010-07-08 09:10:11.0000005 UTC
constexpr FileTime kAccessed = 129229674110000005;    // 2010-07-07 09:10:11.0000005 UTC
constexpr int64_t kMinusOneDay = -864000000000;

class TimeAdjustRunTest : public ::testing::Test, public RecordedRuns {
protected:
    TimeAdjustRunTest() {
        // The main window states another job: the run must not take it.
        window.SetText(IDC_PATH, "C:\\other");
        window.SetCheck(IDC_HIDDEN, kChecked);
        for (int box : {IDC_READ_ONLY, IDC_ARCHIVE, IDC_SYSTEM}) window.SetCheck(box, kIndeterminate);
        window.SetCheck(IDC_RENAME_ON, kChecked);
        window.SetText(IDC_TITLE_HEAD, "x");
        // "更新日時 ずらす -1日", "アクセス日 更新日時と同じにする".
        adjust.rules = {TimeRule::Leave, TimeRule::Shift, TimeRule::FromModification};
        adjust.offset = kMinusOneDay;
    }

    Node& Item(Node& node) {
        node.creation = kCreated;
        node.modification = kModified;
        node.access = kAccessed;
        return node;
    }
    Node& File(const std::string& path, uint32_t attributes = kAttrArchive) {
        return Item(files.AddFile(path, attributes));
    }
    RunEnd Run(const std::string& target, bool foldersToo, bool preview = false) {
        job = TimeAdjustJob(adjust, foldersToo, target);
        RunEnvironment environment{files, clock, window, fullView, cancel, &records};
        environment.job = &job;
        environment.preview = preview;
        return RunJob(environment);
    }
    std::vector<std::string> Statuses() { return window.ControlState(IDC_STATUS).texts; }
    bool Shown(const std::string& text) {
        const std::vector<std::string> texts = Statuses();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    void ExpectAdjusted(const std::string& path) {
        const Node* node = files.Find(path);
        ASSERT_NE(node, nullptr) << path;
        EXPECT_EQ(node->creation, kCreated) << path;
        EXPECT_EQ(node->modification, kDayBefore) << path;
        EXPECT_EQ(node->access, kDayBefore) << path;
    }

    TimeAdjust adjust;
    JobSettings job;
};

TEST_F(TimeAdjustRunTest, FolderRunChangesOnlyTimesOfFilesAndFolders) {
    File("C:\\T\\a.txt", kAttrArchive | kAttrReadOnly);
    File("C:\\T\\sub\\b.txt");
    Item(*files.Find("C:\\T\\sub"));
    const uint32_t folderWord = files.Find("C:\\T\\sub")->attributes;

    ASSERT_EQ(Run("C:\\T", true), RunEnd::Finished);

    ExpectAdjusted("C:\\T\\a.txt");
    ExpectAdjusted("C:\\T\\sub\\b.txt");
    ExpectAdjusted("C:\\T\\sub");
    EXPECT_EQ(files.Find("C:\\T\\a.txt")->attributes, kAttrArchive | kAttrReadOnly);
    EXPECT_EQ(files.Find("C:\\T\\sub\\b.txt")->attributes, kAttrArchive);
    EXPECT_EQ(files.Find("C:\\T\\sub")->attributes, folderWord);
    EXPECT_TRUE(Shown("\"C:\\T\\a.txt\"\n日時を調整しました。"));
    EXPECT_TRUE(Shown("\"C:\\T\\sub\\b.txt\"\n日時を調整しました。"));
    EXPECT_EQ(window.GetText(IDC_STATUS), "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。");
    EXPECT_EQ(window.GetText(IDC_PATH), "C:\\other");

    const std::vector<std::string> record = NewestRecord();
    ASSERT_GE(record.size(), 9u);
    EXPECT_EQ(record[0], "Kelvo change record\t1\trun");
    EXPECT_EQ(record[1], "target\tC:\\T\tC:\\T");
    EXPECT_EQ(record[4], "attributes\tleave\tleave\tleave\tleave\tfolders too");
    EXPECT_EQ(record[5], "creation\toff");
    EXPECT_EQ(record[6], "modification\tshift\t-864000000000");
    EXPECT_EQ(record[7], "access\tfrom\tmodification");
    EXPECT_EQ(record[8], "rename\toff");
    EXPECT_EQ(record.back(), "end\tfinished\t3\t0");
}

TEST_F(TimeAdjustRunTest, FoldersKeepTheirTimesUnlessAsked) {
    File("C:\\T\\sub\\b.txt");
    Item(*files.Find("C:\\T\\sub"));
    adjust.rules = {TimeRule::FromAccess, TimeRule::Leave, TimeRule::Shift};
    adjust.offset = 36000000000;  // + 1 hour: 2010-07-07 10:10:11.0000005

    ASSERT_EQ(Run("C:\\T", false), RunEnd::Finished);

    const Node* folder = files.Find("C:\\T\\sub");
    EXPECT_EQ(folder->creation, kCreated);
    EXPECT_EQ(folder->access, kAccessed);
    const Node* file = files.Find("C:\\T\\sub\\b.txt");
    // The copy takes the access time after its shift.
    EXPECT_EQ(file->creation, 129229710110000005u);
    EXPECT_EQ(file->modification, kModified);
    EXPECT_EQ(file->access, 129229710110000005u);
    const std::vector<std::string> record = NewestRecord();
    EXPECT_EQ(record[4], "attributes\tleave\tleave\tleave\tleave\tfiles only");
    EXPECT_EQ(record[5], "creation\tfrom\taccess");
    EXPECT_EQ(record[7], "access\tshift\t+36000000000");
}

TEST_F(TimeAdjustRunTest, ItemWhoseTimeWouldFallBefore1601IsLeftAndCounted) {
    File("C:\\T\\a.txt");
    Node& early = File("C:\\T\\early.txt");
    early.modification = 500000000000;  // 1601-01-01 13:53:20 UTC: a day back is before 1601

    ASSERT_EQ(Run("C:\\T", false), RunEnd::Finished);

    ExpectAdjusted("C:\\T\\a.txt");
    EXPECT_EQ(early.modification, 500000000000u);
    EXPECT_EQ(early.access, kAccessed);
    EXPECT_EQ(window.GetText(IDC_STATUS),
              "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 1件");
    const std::vector<std::string> record = NewestRecord();
    EXPECT_NE(std::find(record.begin(), record.end(), "left\tC:\\T\\early.txt\t1901\t(message 1901)"), record.end());
    EXPECT_EQ(record.back(), "end\tfinished\t1\t1");
}

TEST_F(TimeAdjustRunTest, SingleFileEndsAsAFileRunEnds) {
    File("C:\\T\\a.txt");
    File("C:\\T\\b.txt");

    ASSERT_EQ(Run("C:\\T\\a.txt", true), RunEnd::Finished);

    ExpectAdjusted("C:\\T\\a.txt");
    EXPECT_EQ(files.Find("C:\\T\\b.txt")->modification, kModified);
    EXPECT_EQ(window.GetText(IDC_STATUS), "\"C:\\T\\a.txt\"\nファイルの処理が終了しました。");
    EXPECT_EQ(NewestRecord()[2], "mode\tfile");
}

TEST_F(TimeAdjustRunTest, MissingTargetIsRefusedAsARunRefusesIt) {
    ASSERT_EQ(Run("C:\\nowhere", true), RunEnd::Refused);
    ASSERT_EQ(window.MessageBoxes().size(), 1u);
    EXPECT_TRUE(records.Names().empty());
}

TEST_F(TimeAdjustRunTest, PreviewChangesNothingAndCountsTheItems) {
    File("C:\\T\\a.txt");
    File("C:\\T\\sub\\b.txt");
    const TreeSnapshot before = Snapshot();

    ASSERT_EQ(Run("C:\\T", false, true), RunEnd::Finished);

    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(window.GetText(IDC_STATUS), "\"C:\\T\"\n変更内容の確認が終わりました。(2項目を変更します)");
    const std::vector<std::string> record = NewestRecord();
    EXPECT_EQ(record[0], "Kelvo change record\t1\tpreview");
    EXPECT_EQ(std::count_if(record.begin(), record.end(),
                            [](const std::string& line) { return line.rfind("changed\t", 0) == 0; }),
              2);
}

// The newest run is taken back first: the swap, then the shift.
TEST_F(TimeAdjustRunTest, UndoTakesASwapAndAShiftBack) {
    File("C:\\T\\a.txt", kAttrArchive | kAttrReadOnly);
    File("C:\\T\\sub\\b.txt");
    Item(*files.Find("C:\\T\\sub"));
    const TreeSnapshot before = Snapshot();
    ASSERT_EQ(Run("C:\\T", true), RunEnd::Finished);
    const TreeSnapshot shifted = Snapshot();
    ASSERT_NE(shifted, before);
    Node& a = *files.Find("C:\\T\\a.txt");
    a.access = kAccessed;
    const TreeSnapshot beforeSwap = Snapshot();
    adjust.rules = {TimeRule::Leave, TimeRule::FromAccess, TimeRule::FromModification};
    clock.SetNowFraction(20000);  // a record of its own
    ASSERT_EQ(Run("C:\\T", true), RunEnd::Finished);
    EXPECT_EQ(a.modification, kAccessed);
    EXPECT_EQ(a.access, kDayBefore);

    ASSERT_EQ(Undo(), RunEnd::Finished);
    EXPECT_EQ(Snapshot(), beforeSwap);

    // The shift's undo finds a.txt's access time changed by hand since: it
    // is left, and the rest comes back.
    a.access = kDayBefore;
    ASSERT_EQ(Undo(), RunEnd::Finished);
    EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace kelvo
