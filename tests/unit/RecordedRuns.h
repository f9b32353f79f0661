// Runs and their undos on the in-memory platform, with a record store: the
// window holds a job on C:\T with every attribute left, files get times of
// their own (and their folders too, which a rename in them moves), and the
// newest record can be read back.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryRecordStore.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"
#include "run/RunJob.h"
#include "run/UndoJob.h"
#include "run/UndoableRecord.h"
#include "tests/unit/TreeSnapshot.h"

namespace kelvo {

class RecordedRuns {
public:
    using Node = MemoryFileSystem::Node;
    // 2001-02-03 04:05:06.1234567 UTC.
    static constexpr FileTime kOld = 126256467061234567ULL;

    explicit RecordedRuns(MemoryFileSystem::Order order = MemoryFileSystem::Order::ByName) : files(order) {
        for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
        window.SetText(IDC_PATH, "C:\\T");
    }

    // Created 7 ticks before `time`, last read 3 after it.
    Node& File(const std::string& path, uint32_t attributes = kAttrArchive, FileTime time = kOld) {
        Node& node = files.AddFile(path, attributes, time);
        node.creation = time - 7;
        node.access = time + 3;
        for (Node* folder = node.parent; folder != nullptr; folder = folder->parent) {
            folder->creation = kOld - 11;
            folder->modification = kOld - 5;
            folder->access = kOld - 2;
        }
        return node;
    }
    TreeSnapshot Snapshot(const char* root = "C:\\T") { return SnapTree(*files.Find(root), root); }
    RunEnd Run() {
        RunEnvironment environment{files, clock, window, fullView, cancel, &records};
        return RunJob(environment);
    }
    // The undo of the newest run, whose record gets a name of its own.
    RunEnd Undo(bool askFirst = false) {
        UndoableRecord record;
        EXPECT_EQ(FindUndoableRecord(records, record), UndoableFound::Found);
        UndoEnvironment environment{files, clock, window, fullView, cancel, records};
        clock.SetNowFraction(clock.NowTicks() % kTicksPerSecond + 20000);
        return UndoJob(environment, record, askFirst);
    }
    std::string Status() { return window.GetText(IDC_STATUS); }
    std::vector<std::string> NewestRecord() {
        const std::vector<std::string> names = records.Names();
        return names.empty() ? std::vector<std::string>() : records.TextsOf(names.back());
    }

    FaultyMemoryFileSystem files;
    MemoryWindow window;
    MemoryClock clock;
    MemoryRecordStore records;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancel{false};
};

}  // namespace kelvo
