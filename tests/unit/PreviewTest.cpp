// The preview: for each kind of job, the preview's record lists exactly the
// items, new names and items left that the run that follows it then
// writes down, and the tree is untouched by the preview; and the overlay
// itself, which keeps renames and nothing else.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <tuple>

#include "platform/PreviewFileSystem.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryRecordStore.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"
#include "run/RunJob.h"
#include "tests/unit/TreeSnapshot.h"

namespace kelvo {
namespace {


// The lines of a record that say what was done to each item, not when:
// the run's lines written before each change are its own, as a preview
// changes nothing.
std::vector<std::string> Body(const std::vector<std::string>& lines) {
    std::vector<std::string> body;
    for (const std::string& line : lines) {
        if (line.rfind("changed\t", 0) == 0 || line.rfind("left\t", 0) == 0 || line.rfind("end\t", 0) == 0) {
            body.push_back(line);
        }
    }
    return body;
}

struct PreviewCase {
    const char* shows;
    MemoryFileSystem::Order order;
    std::function<void(FaultyMemoryFileSystem&)> tree;
    std::function<void(MemoryWindow&)> job;
};

void Hide(MemoryWindow& window) {
    window.SetCheck(IDC_HIDDEN, kChecked);
    window.SetCheck(IDC_READ_ONLY, kUnchecked);
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
}

void TitleHead(MemoryWindow& window, const char* head) {
    window.SetCheck(IDC_RENAME_ON, kChecked);
    window.SetText(IDC_TITLE_HEAD, head);
}

class PreviewJobs : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(PreviewJobs, RecordListsWhatTheRunThenDoesAndNothingChanges) {
    const PreviewCase& c = GetParam();
    FaultyMemoryFileSystem files(c.order);
    c.tree(files);
    MemoryWindow window;
    MemoryClock clock;
    MemoryRecordStore records;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancel{false};
    for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
    c.job(window);
    window.SetText(IDC_PATH, "C:\\T");
    const TreeSnapshot before = SnapTree(*files.Find("C:\\T"), "C:\\T");

    std::string previewName;
    RunEnvironment preview{files, clock, window, fullView, cancel, &records, true, &previewName};
    ASSERT_EQ(RunJob(preview), RunEnd::Finished);
    EXPECT_EQ(SnapTree(*files.Find("C:\\T"), "C:\\T"), before);
    std::string current;
    files.GetCurrentDirectory(current);
    EXPECT_EQ(current, "C:\\T");
    const std::string previewStatus = window.GetText(IDC_STATUS);

    clock.SetNow(clock.Now() + 1);
    std::string runName;
    RunEnvironment run{files, clock, window, fullView, cancel, &records, false, &runName};
    ASSERT_EQ(RunJob(run), RunEnd::Finished);
    const std::vector<std::string> previewLines = records.TextsOf(previewName);
    const std::vector<std::string> runLines = records.TextsOf(runName);
    ASSERT_FALSE(previewLines.empty());
    EXPECT_EQ(previewLines[0], "Kelvo change record\t1\tpreview");
    EXPECT_EQ(previewLines[1].rfind("note\t", 0), 0u);
    EXPECT_EQ(Body(previewLines), Body(runLines));
    EXPECT_GT(Body(runLines).size(), 1u);  // the run changed or left something
    // The preview's closing text counts the changed items the run's record names.
    const std::string end = runLines.back();
    const long changed = std::stol(end.substr(end.find('\t', 4) + 1));
    EXPECT_EQ(previewStatus.find("\"C:\\T\"\n変更内容の確認が終わりました。(" + std::to_string(changed) + "項目を変更します)"),
              0u)
        << previewStatus;
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, PreviewJobs,
    ::testing::Values(
        PreviewCase{"attributes of files and folders", MemoryFileSystem::Order::ByName,
                    [](FaultyMemoryFileSystem& f) {
                        f.AddFile("C:\\T\\a.txt");
                        f.AddFile("C:\\T\\ro.txt", kAttrArchive | kAttrReadOnly);
                        f.AddFile("C:\\T\\sub\\b.txt", kAttrHidden);
                    },
                    Hide},
        PreviewCase{"a modification time with a blank year", MemoryFileSystem::Order::ByName,
                    [](FaultyMemoryFileSystem& f) {
                        f.AddFile("C:\\T\\a.txt", kAttrArchive, 126256467061234567ULL);
                        f.AddFile("C:\\T\\sub\\b.txt", kAttrReadOnly, 130781381500000000ULL);
                    },
                    [](MemoryWindow& w) {
                        w.SetCheck(kDateRows[1].box, kChecked);
                        const char* const fields[kDateFieldCount] = {"", "5", "17", "10", "20", "30"};
                        for (int i = 0; i < kDateFieldCount; ++i) w.SetText(kDateRows[1].edits[i], fields[i]);
                    }},
        PreviewCase{"renames: a chain, a name taken, a device name, a trailing dot",
                    MemoryFileSystem::Order::Insertion,
                    [](FaultyMemoryFileSystem& f) {
                        f.AddFile("C:\\T\\xa.txt");
                        f.AddFile("C:\\T\\a.txt");
                        f.AddFile("C:\\T\\b.txt");
                        f.AddFile("C:\\T\\xb.txt");
                        f.AddFile("C:\\T\\ON.txt");
                        f.AddFile("C:\\T\\sub\\c.txt");
                    },
                    [](MemoryWindow& w) { TitleHead(w, "x"); }},
        PreviewCase{"a rename onto a device name", MemoryFileSystem::Order::ByName,
                    [](FaultyMemoryFileSystem& f) {
                        f.AddFile("C:\\T\\ON.txt");
                        f.AddFile("C:\\T\\plain.txt");
                    },
                    [](MemoryWindow& w) { TitleHead(w, "C"); }},
        PreviewCase{"items left: a folder that can't be entered, a name without a form, a path too long, a link",
                    MemoryFileSystem::Order::ByName,
                    [](FaultyMemoryFileSystem& f) {
                        f.AddFile("C:\\T\\closed\\in.txt");
                        f.Find("C:\\T\\closed")->noEnter = true;
                        f.AddFile("C:\\T\\odd.txt").exact = false;
                        f.AddFile("C:\\T\\" + std::string(kMaxPathBytes - 4, 'n'));
                        f.AddFolder("C:\\Out");
                        f.AddLink("C:\\T\\link", "C:\\Out");
                        f.AddFile("C:\\T\\kept.txt");
                        f.AddFile("C:\\T\\held.txt").locked = true;
                    },
                    [](MemoryWindow& w) {
                        Hide(w);
                        w.SetCheck(kDateRows[2].box, kChecked);
                    }}),
    [](const ::testing::TestParamInfo<PreviewCase>& info) { return std::to_string(info.index); });

// The overlay: a rename is seen by later reads of the same run under its
// new name and not under its old one, a taken name refuses it, and nothing
// reaches the disk.
TEST(PreviewFileSystem, KeepsRenamesAndWritesNothing) {
    MemoryFileSystem disk;
    disk.AddFile("C:\\T\\a.txt", kAttrArchive, 5);
    disk.AddFile("C:\\T\\b.txt", kAttrArchive, 6);
    PreviewFileSystem files(disk);
    EXPECT_FALSE(files.Move("C:\\T\\a.txt", "C:\\T\\B.TXT"));
    EXPECT_EQ(files.LastError(), kErrorAlreadyExists);
    ASSERT_TRUE(files.Move("C:\\T\\b.txt", "C:\\T\\c.txt"));
    ASSERT_TRUE(files.Move("C:\\T\\a.txt", "C:\\T\\b.txt"));  // onto a name freed in the overlay
    ASSERT_TRUE(files.Move("C:\\T\\b.txt", "C:\\T\\B.txt"));  // its own name in other letters
    FindEntry entry;
    ASSERT_TRUE(files.FindOne("C:\\T\\b.txt", entry));
    EXPECT_EQ(entry.name, "B.txt");
    EXPECT_EQ(entry.modification, 5u);  // a.txt's own
    ASSERT_TRUE(files.FindOne("C:\\T\\c.txt", entry));
    EXPECT_EQ(entry.modification, 6u);
    EXPECT_FALSE(files.FindOne("C:\\T\\a.txt", entry));
    EXPECT_EQ(files.LastError(), kErrorFileNotFound);
    EXPECT_EQ(files.Renames(), 2u);

    ItemState after;
    ASSERT_TRUE(files.UpdateItem("C:\\T\\c.txt", ItemOpening{}, [](const ItemState& now, ItemChange& change) {
        change.attributes = now.attributes | kAttrHidden | kAttrReadOnly;
        change.modification = 99;
        return true;
    }, &after));
    EXPECT_EQ(after.attributes, kAttrArchive | kAttrHidden | kAttrReadOnly);
    EXPECT_EQ(after.modification, 99u);
    EXPECT_FALSE(files.Delete("C:\\T\\c.txt"));
    EXPECT_EQ(files.OpenForWriting("C:\\T\\new.txt", true), nullptr);

    // On disk nothing moved or changed.
    EXPECT_EQ(disk.Find("C:\\T\\a.txt")->modification, 5u);
    EXPECT_EQ(disk.Find("C:\\T\\b.txt")->attributes, kAttrArchive);
    EXPECT_EQ(disk.Find("C:\\T\\b.txt")->modification, 6u);
    EXPECT_FALSE(disk.Exists("C:\\T\\c.txt"));
    EXPECT_FALSE(disk.Exists("C:\\T\\new.txt"));
}

}  // namespace
}  // namespace kelvo
