// A whole job (renames, a time change, attributes on files and folders,
// read-only items) run once per file-system call N with exactly call N
// refused, and once more with every call from N on refused. Whatever is
// refused, the run ends with its finish text, its count line never passes
// a failure off as success, and every item keeps a state it can
// legitimately have: each of its name, attributes and times is either as
// it was or as a clean run leaves it, and its contents never change.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "run/RunTexts.h"
#include "tests/unit/MainDialogTestFixture.h"
#include "run/RunJob.h"

namespace kelvo {
namespace {

const std::string kTarget = "C:\\T";
const std::string kFinished = "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。";

// Whole seconds, distinct per file, so a clean run's write-back of the
// times it doesn't change gives exactly the times read.
FileTime Ticks(int64_t seconds) { return kUnixEpochTicks + static_cast<FileTime>(seconds) * kTicksPerSecond; }

// Files are told apart by their contents, which no run changes; folders by
// their paths, since folders are never renamed.
void BuildTree(FaultyMemoryFileSystem& files) {
    struct File {
        const char* path;
        uint32_t attributes;
    };
    const File tree[] = {
        {"C:\\T\\A\\x1.txt", kAttrArchive},
        {"C:\\T\\A\\xro.txt", kAttrArchive | kAttrReadOnly},
        {"C:\\T\\A\\B\\b.dat", kAttrHidden},
        {"C:\\T\\A\\B\\表x.doc", kAttrReadOnly},
        {"C:\\T\\c.txt", kAttrArchive},
        {"C:\\T\\x2.log", kAttrArchive},
    };
    int64_t seconds = 1500000000;
    for (const File& file : tree) {
        FaultyMemoryFileSystem::Node& node = files.AddFile(file.path, file.attributes, Ticks(seconds), file.path);
        node.creation = Ticks(seconds - 1000);
        node.access = Ticks(seconds + 1000);
        seconds += 86400;
    }
    files.AddFolder("C:\\T\\A\\B", kAttrReadOnly);
    files.AddFolder("C:\\T\\E");
}

// Hidden set and archive cleared on every file and subfolder; a new
// modification time; "x" replaced by "y" in file titles.
void SetJob(MemoryWindow& window) {
    for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
    window.SetCheck(IDC_HIDDEN, kChecked);
    window.SetCheck(IDC_ARCHIVE, kUnchecked);
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    window.SetCheck(kDateRows[1].box, kChecked);
    const char* const fields[kDateFieldCount] = {"2020", "5", "17", "10", "20", "30"};
    for (int i = 0; i < kDateFieldCount; ++i) window.SetText(kDateRows[1].edits[i], fields[i]);
    window.SetCheck(IDC_RENAME_ON, kChecked);
    window.SetText(IDC_TITLE_WHAT, "x");
    window.SetText(IDC_TITLE_WITH, "y");
    window.SetText(IDC_PATH, kTarget);
}

struct ItemState {
    std::string path;
    uint32_t attributes = 0;
    FileTime creation = 0, access = 0, modification = 0;
    bool operator==(const ItemState& o) const {
        return path == o.path && attributes == o.attributes && creation == o.creation && access == o.access &&
               modification == o.modification;
    }
};

// Every item below the target, keyed by what identifies it.
std::map<std::string, ItemState> Snapshot(FaultyMemoryFileSystem& files) {
    std::map<std::string, ItemState> items;
    std::vector<FaultyMemoryFileSystem::Node*> pending = {files.Find(kTarget)};
    while (!pending.empty()) {
        FaultyMemoryFileSystem::Node* folder = pending.back();
        pending.pop_back();
        for (auto& child : folder->children) {
            ItemState state{FaultyMemoryFileSystem::PathOf(*child), child->attributes, child->creation, child->access,
                            child->modification};
            if (child->IsFolder()) pending.push_back(child.get());
            const std::string key = child->IsFolder() ? state.path : child->content;
            EXPECT_EQ(items.count(key), 0u) << "twice: " << key;
            items[key] = state;
        }
    }
    return items;
}

// The file system reports a file without any bit as "normal".
bool SameBits(uint32_t a, uint32_t b) { return (a & ~kAttrNormal) == (b & ~kAttrNormal); }

// Read-only is taken off for the first of a pair of writes and put back by
// the second. When every call from some point on is refused, neither the
// second write nor the undo of the first can happen, so the item can be
// left as the first write left it, whatever the program does.
bool HalfWritten(uint32_t state, uint32_t before, uint32_t after) {
    return SameBits(state, before & ~kAttrReadOnly) || SameBits(state, after & ~kAttrReadOnly);
}

int CountLine(const std::string& status) {
    std::smatch match;
    static const std::regex line("\n変更できなかった項目: ([0-9]+)件$");
    return std::regex_search(status, match, line) ? std::stoi(match[1]) : 0;
}

// A call whose refusal makes the walk skip a whole folder's contents,
// which it counts once.
bool SkipsAFolder(const std::string& call) {
    return call.rfind("FindFirst", 0) == 0 || call.rfind("FindNext", 0) == 0 ||
           call.rfind("SetCurrentDirectory .\\", 0) == 0;
}

class FailureSweepTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildTree(clean);
        original = Snapshot(clean);
        MemoryWindow window;
        SetJob(window);
        RunEnvironment environment{clean, clock, window, fullView, cancel};
        ASSERT_EQ(RunJob(environment), RunEnd::Finished);
        ASSERT_EQ(window.GetText(IDC_STATUS), kFinished);  // no count line
        calls = clean.Calls();
        cleanState = Snapshot(clean);
        ASSERT_EQ(cleanState.size(), original.size());
        ASSERT_GT(calls.size(), 60u);
    }

    // Runs the job with call n refused (and, with onward, every call after
    // it); checks every item and returns how many aren't as a clean run
    // leaves them.
    int RunRefused(size_t n, bool onward, std::string& status) {
        FaultyMemoryFileSystem files;
        MemoryWindow window;
        BuildTree(files);
        SetJob(window);
        files.RefuseCall(n, onward);
        RunEnvironment environment{files, clock, window, fullView, cancel};
        const RunEnd end = RunJob(environment);
        status = window.GetText(IDC_STATUS);
        if (RefusesTheTarget(n, onward)) {  // the target can't be entered, or then not even read
            EXPECT_EQ(end, RunEnd::Refused);
            EXPECT_EQ(window.MessageBoxes().size(), 1u);
        } else {
            EXPECT_EQ(end, RunEnd::Finished);
            EXPECT_EQ(window.Beeps(), 1);
            EXPECT_EQ(status.rfind(kFinished, 0), 0u) << status;
        }
        files.ClearRefusals();
        const std::map<std::string, ItemState> now = Snapshot(files);
        EXPECT_EQ(now.size(), original.size());
        int unchanged = 0;
        for (const auto& [key, state] : now) {
            SCOPED_TRACE(key);
            const ItemState& before = original.at(key);
            const ItemState& after = cleanState.at(key);
            EXPECT_TRUE(state.path == before.path || state.path == after.path) << state.path;
            EXPECT_TRUE(SameBits(state.attributes, before.attributes) || SameBits(state.attributes, after.attributes) ||
                        (onward && HalfWritten(state.attributes, before.attributes, after.attributes)))
                << state.attributes;
            const bool timesBefore = state.creation == before.creation && state.access == before.access &&
                                     state.modification == before.modification;
            const bool timesAfter = state.creation == after.creation && state.access == after.access &&
                                    state.modification == after.modification;
            EXPECT_TRUE(timesBefore || timesAfter);
            if (!(state == after)) ++unchanged;
        }
        return unchanged;
    }

    // The run enters its target with its second call, after resolving it:
    // refused there (or from any call up to there on), the target is refused.
    static bool RefusesTheTarget(size_t n, bool onward) { return n == 2 || (onward && n < 2); }

    FaultyMemoryFileSystem clean;
    MemoryClock clock;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancel{false};
    std::vector<std::string> calls;
    std::map<std::string, ItemState> original, cleanState;
};

TEST_F(FailureSweepTest, EachSingleRefusedCallIsCountedOrHarmless) {
    for (size_t n = 1; n <= calls.size(); ++n) {
        SCOPED_TRACE("refused call " + std::to_string(n) + ": " + calls[n - 1]);
        std::string status;
        const int unchanged = RunRefused(n, false, status);
        if (RefusesTheTarget(n, false)) continue;
        if (SkipsAFolder(calls[n - 1])) {
            EXPECT_EQ(CountLine(status), 1) << status;
        } else {
            EXPECT_EQ(CountLine(status), unchanged) << status;
        }
    }
}

TEST_F(FailureSweepTest, EveryCallFromSomePointOnRefusedNeverPassesForSuccess) {
    for (size_t n = 1; n <= calls.size() + 1; ++n) {
        SCOPED_TRACE("calls refused from " + std::to_string(n));
        std::string status;
        const int unchanged = RunRefused(n, true, status);
        if (RefusesTheTarget(n, true)) continue;
        // A refused listing can hide nothing and still be counted; an item
        // left unchanged is never passed over.
        const int counted = CountLine(status);
        if (unchanged > 0) {
            EXPECT_GE(counted, 1) << status;
        }
        EXPECT_LE(counted, static_cast<int>(original.size()));
    }
}

// The same job on the window, its worker on a real thread: a refused call
// still gives the window back, with the count line in the status text.
class FailureSweepDialogTest : public MainDialogTest {};

TEST_F(FailureSweepDialogTest, ControlsComeBackAfterARefusedRun) {
    BuildTree(files);
    threads.SetMode(MemoryThreads::Mode::RealThread);
    dialog = std::make_unique<MainDialog>(
        DialogPlatform{window, shell, files, clock, threads, [](RunEnvironment& e) { return RunJob(e); }},
        kExeFolder, std::string());
    ASSERT_TRUE(dialog->OnInitDialog());
    SetJob(window);
    files.RefuseOperation("SetTimes", "yro.txt", 0);
    dialog->StartOrCancel();
    WaitForIdle();
    EXPECT_FALSE(dialog->Worker().Running());
    EXPECT_EQ(window.GetText(IDC_START), kStartCaption);
    EXPECT_TRUE(window.ControlState(IDC_PATH).enabled);
    EXPECT_TRUE(window.ControlState(IDC_HIDDEN).enabled);
    EXPECT_TRUE(window.ControlState(IDC_RENAME_ON).enabled);
    EXPECT_EQ(window.GetText(IDC_STATUS), kFinished + "\n変更できなかった項目: 1件");
    // The read-only file whose times were refused has its new name, and
    // its attributes and times as they were.
    FaultyMemoryFileSystem::Node* node = files.Find("C:\\T\\A\\yro.txt");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->attributes, kAttrArchive | kAttrReadOnly);
    EXPECT_EQ(node->modification, Ticks(1500000000 + 86400));
}

}  // namespace
}  // namespace kelvo
