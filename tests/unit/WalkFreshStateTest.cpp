// Each file as it is at its turn: another program changes the tree after
// the walk has listed the target for its subfolders, as it enters a
// subfolder, and the target's files are then treated as they are at their
// turn, never from that earlier listing.
#include <gtest/gtest.h>

#include <functional>

#include "tests/shared/FailureCount.h"
#include "tests/unit/RunTestFixture.h"

namespace kelvo {
namespace {

using Node = FaultyMemoryFileSystem::Node;

// 2001-02-03 04:05:06 UTC and 2015-06-07 08:09:10 UTC, in ticks since 1601:
// (seconds since 1970 + 11,644,473,600) * 10^7.
constexpr FileTime k2001 = 126256467060000000ULL;
constexpr FileTime k2015 = 130781381500000000ULL;

struct FreshCase {
    const char* shows;
    uint32_t attributes;                               // of C:\T\f.txt before the run
    std::function<void(MemoryWindow&)> job;            // beside the target
    std::function<void(MemoryFileSystem&)> meanwhile;  // as the walk enters C:\T\S
    std::function<void(FaultyMemoryFileSystem&)> check;
};

void Hide(MemoryWindow& window) { window.SetCheck(IDC_HIDDEN, kChecked); }

Node& At(MemoryFileSystem& files, const char* path) { return *files.Find(path); }

TEST(WalkFreshState, ChangesMadeAfterTheListingAreKeptOrTreated) {
    const FreshCase cases[] = {
        {"a system bit set meanwhile is kept", kAttrArchive, Hide,
         [](MemoryFileSystem& fs) { At(fs, "C:\\T\\f.txt").attributes |= kAttrSystem; },
         [](FaultyMemoryFileSystem& fs) {
             EXPECT_EQ(fs.Find("C:\\T\\f.txt")->attributes, kAttrArchive | kAttrSystem | kAttrHidden);
         }},
        {"read-only cleared meanwhile is not put back", kAttrArchive | kAttrReadOnly, Hide,
         [](MemoryFileSystem& fs) { At(fs, "C:\\T\\f.txt").attributes = kAttrArchive; },
         [](FaultyMemoryFileSystem& fs) { EXPECT_EQ(fs.Find("C:\\T\\f.txt")->attributes, kAttrArchive | kAttrHidden); }},
        {"hidden cleared meanwhile is set again", kAttrArchive | kAttrHidden, Hide,
         [](MemoryFileSystem& fs) { At(fs, "C:\\T\\f.txt").attributes = kAttrArchive; },
         [](FaultyMemoryFileSystem& fs) { EXPECT_EQ(fs.Find("C:\\T\\f.txt")->attributes, kAttrArchive | kAttrHidden); }},
        {"a blank year comes from the time the file has now", kAttrArchive,
         [](MemoryWindow& window) {
             // The modification row: year blank, 12-31 23:59:58 (the clock's zone is UTC).
             window.SetCheck(kDateRows[1].box, kChecked);
             const char* const fields[kDateFieldCount] = {"", "12", "31", "23", "59", "58"};
             for (int i = 0; i < kDateFieldCount; ++i) window.SetText(kDateRows[1].edits[i], fields[i]);
         },
         [](MemoryFileSystem& fs) { At(fs, "C:\\T\\f.txt").modification = k2015; },
         [](FaultyMemoryFileSystem& fs) {
             // 2015-12-31 23:59:58 UTC.
             EXPECT_EQ(fs.Find("C:\\T\\f.txt")->modification, 130960799980000000ULL);
         }},
        {"a file replaced by a folder of its name is not renamed", kAttrArchive,
         [](MemoryWindow& window) {
             window.SetCheck(IDC_RENAME_ON, kChecked);
             window.SetText(IDC_TITLE_HEAD, "new_");
         },
         [](MemoryFileSystem& fs) {
             fs.Delete("C:\\T\\f.txt");
             fs.AddFolder("C:\\T\\f.txt");
         },
         [](FaultyMemoryFileSystem& fs) {
             EXPECT_NE(fs.Find("C:\\T\\f.txt"), nullptr);
             EXPECT_EQ(fs.Find("C:\\T\\new_f.txt"), nullptr);
         }},
        {"a file created meanwhile is treated", kAttrArchive, Hide,
         [](MemoryFileSystem& fs) { fs.AddFile("C:\\T\\g.txt", kAttrArchive, k2001); },
         [](FaultyMemoryFileSystem& fs) { EXPECT_EQ(fs.Find("C:\\T\\g.txt")->attributes, kAttrArchive | kAttrHidden); }},
    };
    for (const FreshCase& c : cases) {
        SCOPED_TRACE(c.shows);
        FaultyMemoryFileSystem files;
        MemoryWindow window;
        MemoryClock clock;
        std::atomic<int> fullView{1};
        std::atomic<bool> cancel{false};
        files.AddFile("C:\\T\\S\\s.txt", kAttrArchive, k2001);
        files.AddFile("C:\\T\\f.txt", c.attributes, k2001);
        for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
        c.job(window);
        window.SetText(IDC_PATH, "C:\\T");
        // The target was listed for its subfolders before the walk enters S.
        files.BeforeCall("SetCurrentDirectory", ".\\S", [&] { c.meanwhile(files.Memory()); });
        RunEnvironment environment{files, clock, window, fullView, cancel};
        ASSERT_EQ(RunJob(environment), RunEnd::Finished);
        EXPECT_EQ(CountLine(window.GetText(IDC_STATUS)), 0) << window.GetText(IDC_STATUS);
        c.check(files);
    }
}

}  // namespace
}  // namespace kelvo
