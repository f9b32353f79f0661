// A whole job (renames, a time change, attributes on files and folders,
// read-only items) run once per file-system call N with exactly call N
// refused, and once more with every call from N on refused, on any file
// system a world builds a small tree on. Whatever is refused, the run ends
// with its finish text, its count line never passes a failure off as
// success, and every item keeps a state it can legitimately have: each of
// its name, attributes and times is either as it was or as a clean run
// leaves it.
//
// A world has: void Build() (a fresh tree below Target(), the current
// directory outside it); FileSystem& Files() (the file system the tree is
// on); std::string Target(); Snapshot Snap() (every item below the target,
// keyed by what identifies it whatever its name: a file's contents or
// size, a folder's path, since folders are never renamed).
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "platform/memory/FaultyFileSystem.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"
#include "resources/ResourceIds.h"
#include "run/RunJob.h"
#include "tests/shared/FailureCount.h"

namespace kelvo {
namespace sweep {

struct ItemState {
    std::string path;
    uint32_t attributes = 0;
    FileTime creation = 0, access = 0, modification = 0;
    bool operator==(const ItemState& o) const {
        return path == o.path && attributes == o.attributes && creation == o.creation && access == o.access &&
               modification == o.modification;
    }
};
using Snapshot = std::map<std::string, ItemState>;

inline std::string FinishedText(const std::string& target) {
    return "\"" + target + "\"\nディレクトリ内の全ての処理が終了しました。";
}

// Hidden set and archive cleared on every file and subfolder; a new
// modification time; "x" replaced by "y" in file titles.
inline void SetJob(MemoryWindow& window, const std::string& target) {
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
    window.SetText(IDC_PATH, target);
}

// The file system reports a file without any bit as "normal".
inline bool SameBits(uint32_t a, uint32_t b) { return (a & ~kAttrNormal) == (b & ~kAttrNormal); }

// Read-only is taken off for the first of a pair of writes and put back by
// the second. When every call from some point on is refused, neither the
// second write nor the undo of the first can happen, so the item can be
// left as the first write left it, whatever the program does.
inline bool HalfWritten(uint32_t state, uint32_t before, uint32_t after) {
    return SameBits(state, before & ~kAttrReadOnly) || SameBits(state, after & ~kAttrReadOnly);
}

// A call whose refusal makes the walk skip a whole folder's contents,
// which it counts once.
inline bool SkipsAFolder(const std::string& call) {
    return call.rfind("FindFirst", 0) == 0 || call.rfind("FindNext", 0) == 0 ||
           call.rfind("SetCurrentDirectory .\\", 0) == 0;
}

// The run enters its target with its second call, after resolving it:
// refused there (or from any call up to there on), the target is refused.
inline bool RefusesTheTarget(size_t n, bool onward) { return n == 2 || (onward && n < 2); }

template <typename World>
class FailureSweep {
public:
    // Runs the job once unrefused: the calls it makes and the states it leaves.
    void Prepare() {
        world_.Build();
        original_ = world_.Snap();
        FaultyFileSystem files(world_.Files());
        MemoryWindow window;
        SetJob(window, world_.Target());
        RunEnvironment environment{files, clock_, window, fullView_, cancel_};
        ASSERT_EQ(RunJob(environment), RunEnd::Finished);
        ASSERT_EQ(window.GetText(IDC_STATUS), FinishedText(world_.Target()));  // no count line
        calls_ = files.Calls();
        clean_ = world_.Snap();
        ASSERT_EQ(clean_.size(), original_.size());
    }

    // Runs the job with call n refused (and, with onward, every call after
    // it); checks every item and returns how many aren't as a clean run
    // leaves them.
    int RunRefused(size_t n, bool onward, std::string& status) {
        world_.Build();
        FaultyFileSystem files(world_.Files());
        MemoryWindow window;
        SetJob(window, world_.Target());
        files.RefuseCall(n, onward);
        RunEnvironment environment{files, clock_, window, fullView_, cancel_};
        const RunEnd end = RunJob(environment);
        status = window.GetText(IDC_STATUS);
        if (RefusesTheTarget(n, onward)) {  // the target can't be entered, or then not even read
            EXPECT_EQ(end, RunEnd::Refused);
            EXPECT_EQ(window.MessageBoxes().size(), 1u);
        } else {
            EXPECT_EQ(end, RunEnd::Finished);
            EXPECT_EQ(window.Beeps(), 1);
            EXPECT_EQ(status.rfind(FinishedText(world_.Target()), 0), 0u) << status;
        }
        return Unchanged(world_.Snap(), onward);
    }

    void EachSingleRefusedCallIsCountedOrHarmless() {
        for (size_t n = 1; n <= calls_.size(); ++n) {
            SCOPED_TRACE("refused call " + std::to_string(n) + ": " + calls_[n - 1]);
            std::string status;
            const int unchanged = RunRefused(n, false, status);
            if (RefusesTheTarget(n, false)) continue;
            EXPECT_EQ(CountLine(status), SkipsAFolder(calls_[n - 1]) ? 1 : unchanged) << status;
        }
    }

    void EveryCallFromSomePointOnRefusedNeverPassesForSuccess() {
        for (size_t n = 1; n <= calls_.size() + 1; ++n) {
            SCOPED_TRACE("calls refused from " + std::to_string(n));
            std::string status;
            const int unchanged = RunRefused(n, true, status);
            if (RefusesTheTarget(n, true)) continue;
            // A refused listing can hide nothing and still be counted; an
            // item left unchanged is never passed over.
            const int counted = CountLine(status);
            if (unchanged > 0) {
                EXPECT_GE(counted, 1) << status;
            }
            EXPECT_LE(counted, static_cast<int>(original_.size()));
        }
    }

    const std::vector<std::string>& Calls() const { return calls_; }
    World& world() { return world_; }

private:
    int Unchanged(const Snapshot& now, bool onward) {
        EXPECT_EQ(now.size(), original_.size());
        int unchanged = 0;
        for (const auto& [key, state] : now) {
            SCOPED_TRACE(key);
            if (original_.count(key) == 0 || clean_.count(key) == 0) {
                ADD_FAILURE() << "an item no run has: " << state.path;
                continue;
            }
            const ItemState& before = original_.at(key);
            const ItemState& after = clean_.at(key);
            EXPECT_TRUE(state.path == before.path || state.path == after.path) << state.path;
            EXPECT_TRUE(SameBits(state.attributes, before.attributes) || SameBits(state.attributes, after.attributes) ||
                        (onward && HalfWritten(state.attributes, before.attributes, after.attributes)))
                << state.attributes;
            const bool timesBefore = state.creation == before.creation && state.access == before.access &&
                                     state.modification == before.modification;
            const bool timesAfter = state.creation == after.creation && state.access == after.access &&
                                    state.modification == after.modification;
            // A folder's modification time is the system's: every rename in it moves it.
            const bool folder = (state.attributes & kAttrDirectory) != 0;
            EXPECT_TRUE(timesBefore || timesAfter || folder);
            if (!(state == after) && !(folder && state.path == after.path && SameBits(state.attributes, after.attributes))) {
                ++unchanged;
            }
        }
        return unchanged;
    }

    World world_;
    MemoryClock clock_;
    std::atomic<int> fullView_{1};
    std::atomic<bool> cancel_{false};
    std::vector<std::string> calls_;
    Snapshot original_, clean_;
};

}  // namespace sweep
}  // namespace kelvo
