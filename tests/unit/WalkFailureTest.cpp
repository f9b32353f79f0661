// Refused file-system calls during a folder run: each kind refused once,
// then every call of a small run refused in turn. The run must always end
// normally, and its count line must name the items that were left as they
// were.
#include <gtest/gtest.h>


#include "run/RunTexts.h"
#include "tests/unit/RunTestFixture.h"
#include "tests/shared/FailureCount.h"

namespace kelvo {
namespace {

const uint32_t kWanted = kAttrReadOnly | kAttrHidden;
const std::vector<std::string> kItems = {"C:\\T\\A", "C:\\T\\A\\a.txt", "C:\\T\\b.txt"};

// Read-only and hidden on every file and subfolder: two writes per item.
void PrepareRun(FaultyMemoryFileSystem& files, MemoryWindow& window) {
    files.AddFile("C:\\T\\A\\a.txt");
    files.AddFile("C:\\T\\b.txt");
    for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
    window.SetCheck(IDC_READ_ONLY, kChecked);
    window.SetCheck(IDC_HIDDEN, kChecked);
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    window.SetText(IDC_PATH, "C:\\T");
}

int Unchanged(FaultyMemoryFileSystem& files) {
    int count = 0;
    for (const std::string& path : kItems) {
        if ((files.Find(path)->attributes & kWanted) != kWanted) ++count;
    }
    return count;
}

class RefusedOnce : public RunTest {
protected:
    void SetUp() override { PrepareRun(files, window); }
};

TEST_F(RefusedOnce, EachKindOfCallLeavesOnlyItsItem) {
    struct Case {
        const char* operation;
        const char* pathSuffix;
        int counted;
        int unchanged;
    };
    // A folder's first listing gives its subfolders: broken off, or not
    // started, it leaves them (and counts the folder once even where it
    // held none); its files come from the listing of its file pass.
    const Case cases[] = {
        {"WriteItem", "a.txt", 1, 1},          {"UpdateItem", "b.txt", 1, 1},
        {"WriteItem", "\\A", 1, 1},            {"FindNext", "\\A", 1, 0},
        {"SetCurrentDirectory", ".\\A", 1, 2}, {"SetCurrentDirectory", "..\\", 0, 0},
        {"GetCurrentDirectory", "", 0, 0},     {"FindFirst", "*", 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + c.pathSuffix);
        FaultyMemoryFileSystem fresh;
        MemoryWindow freshWindow;
        PrepareRun(fresh, freshWindow);
        fresh.RefuseOperation(c.operation, c.pathSuffix, 1);
        RunEnvironment environment{fresh, clock, freshWindow, fullView, cancelRequested};
        EXPECT_EQ(RunJob(environment), RunEnd::Finished);
        EXPECT_EQ(freshWindow.Beeps(), 1);
        std::string status = freshWindow.GetText(IDC_STATUS);
        EXPECT_EQ(status.rfind("\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。", 0), 0u) << status;
        EXPECT_EQ(CountLine(status), c.counted);
        EXPECT_EQ(Unchanged(fresh), c.unchanged);
    }
}

// A listing tells its end apart from a failure itself: a step that failed
// counts, whatever code it failed with, and a folder both of whose listings
// fail counts once.
TEST_F(RefusedOnce, ListingBrokenOffCountsWhateverItsCode) {
    for (uint32_t error : {uint32_t{kErrorFileNotFound}, uint32_t{kErrorAccessDenied}}) {
        SCOPED_TRACE(error);
        FaultyMemoryFileSystem fresh;
        MemoryWindow freshWindow;
        PrepareRun(fresh, freshWindow);
        fresh.RefuseOperation("FindNext", "\\A", 0, error);
        RunEnvironment environment{fresh, clock, freshWindow, fullView, cancelRequested};
        EXPECT_EQ(RunJob(environment), RunEnd::Finished);
        EXPECT_EQ(CountLine(freshWindow.GetText(IDC_STATUS)), 1);
        EXPECT_EQ(Unchanged(fresh), 1);
    }
}

TEST_F(RunTest, NamesWithoutAnExactFormAreSkippedAndCountedOnce) {
    // What a folder with a yen sign, an accent, an emoji or Hangul in its
    // names lists as: entries without an exact code page 932 form.
    files.AddFile("C:\\T\\plain.txt");
    files.AddFile("C:\\T\\sub\\kept.txt");
    files.AddFile("C:\\T\\odd.txt").exact = false;
    files.AddFile("C:\\T\\sub\\odd2.txt").exact = false;
    files.AddFile("C:\\T\\odddir\\inside.txt");
    files.AddFolder("C:\\T\\odddir\\deeper");
    FaultyMemoryFileSystem::Node* oddFolder = files.Find("C:\\T\\odddir");
    FaultyMemoryFileSystem::Node* inside = files.Find("C:\\T\\odddir\\inside.txt");
    oddFolder->exact = false;
    Ask(IDC_HIDDEN, kChecked);
    Ask(IDC_FOLDERS_TOO, kChecked);
    SetTarget("C:\\T");
    ASSERT_EQ(Run(), RunEnd::Finished);

    const std::string status = LastStatus();
    EXPECT_EQ(status.rfind("\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。", 0), 0u) << status;
    EXPECT_EQ(CountLine(status), 3) << status;
    for (const char* path : {"C:\\T\\plain.txt", "C:\\T\\sub", "C:\\T\\sub\\kept.txt"}) {
        EXPECT_NE(AttributesOf(path) & kAttrHidden, 0u) << path;
    }
    EXPECT_EQ(oddFolder->attributes & kAttrHidden, 0u);
    EXPECT_EQ(inside->attributes & kAttrHidden, 0u);
    // Only the items the program can name were given to the item change;
    // an empty name would have made the folder itself an item.
    EXPECT_EQ(ChangedPaths(), (std::vector<std::string>{"C:\\T\\sub", "C:\\T\\sub\\kept.txt", "C:\\T\\plain.txt"}));
    EXPECT_EQ(AttributesOf("C:\\T") & kAttrHidden, 0u);
}

TEST(RefusedSweep, EveryCallRefusedInTurnEndsTheRunWithTheRightCount) {
    FaultyMemoryFileSystem clean;
    MemoryWindow cleanWindow;
    MemoryClock clock;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancel{false};
    PrepareRun(clean, cleanWindow);
    RunEnvironment cleanRun{clean, clock, cleanWindow, fullView, cancel};
    ASSERT_EQ(RunJob(cleanRun), RunEnd::Finished);
    ASSERT_EQ(Unchanged(clean), 0);
    const std::vector<std::string> calls = clean.Calls();
    ASSERT_GT(calls.size(), 20u);

    for (size_t n = 1; n <= calls.size(); ++n) {
        SCOPED_TRACE("refused call " + std::to_string(n) + ": " + calls[n - 1]);
        FaultyMemoryFileSystem files;
        MemoryWindow window;
        PrepareRun(files, window);
        files.RefuseCall(n);
        RunEnvironment environment{files, clock, window, fullView, cancel};
        RunEnd end = RunJob(environment);
        if (n == 2) {  // the target, resolved by the first call, can't be entered
            EXPECT_EQ(end, RunEnd::Refused);
            EXPECT_EQ(window.MessageBoxes().size(), 1u);
            continue;
        }
        ASSERT_EQ(end, RunEnd::Finished);
        EXPECT_EQ(window.Beeps(), 1);
        const std::string status = window.GetText(IDC_STATUS);
        EXPECT_EQ(status.rfind("\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。", 0), 0u);
        const std::string& call = calls[n - 1];
        // A listing or a folder that can't be entered counts once for what it holds.
        const bool wholeFolder = call.rfind("FindFirst", 0) == 0 || call.rfind("FindNext", 0) == 0 ||
                                 call.rfind("SetCurrentDirectory .\\", 0) == 0;
        if (wholeFolder) {
            EXPECT_EQ(CountLine(status), 1);
        } else {
            EXPECT_EQ(CountLine(status), Unchanged(files));
        }
        std::string current;
        files.GetCurrentDirectory(current);
        EXPECT_EQ(current, "C:\\T");
    }
}

}  // namespace
}  // namespace kelvo
