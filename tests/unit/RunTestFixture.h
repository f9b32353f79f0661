// A run on the in-memory platform: a file system, a window whose controls
// hold a job, the flags shared with the window's thread, and helpers to
// read back what the run did.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "items/ItemContext.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"
#include "run/RunJob.h"

namespace kelvo {

class RunTest : public ::testing::Test {
protected:
    RunTest() {
        for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
    }

    void SetTarget(const std::string& path) { window.SetText(IDC_PATH, path); }
    void Ask(int box, int state) { window.SetCheck(box, state); }

    RunEnd Run() {
        RunEnvironment environment{files, clock, window, fullView, cancelRequested};
        return RunJob(environment);
    }

    ItemContext Context() { return ItemContext{files, clock, window, fullView}; }

    std::vector<std::string> StatusTexts() { return window.ControlState(IDC_STATUS).texts; }
    std::string LastStatus() {
        std::vector<std::string> texts = StatusTexts();
        return texts.empty() ? std::string() : texts.back();
    }
    // The paths whose status was read, in order: one per item given to ChangeItem.
    // A status read resolves the path and then looks it up; the run's own
    // resolution of its target is followed by no look-up.
    std::vector<std::string> ChangedPaths() {
        std::vector<std::string> paths;
        const std::vector<std::string>& calls = files.Calls();
        for (size_t i = 0; i + 1 < calls.size(); ++i) {
            if (calls[i].rfind("GetFullPath ", 0) == 0 && calls[i + 1].rfind("FindOne ", 0) == 0) {
                paths.push_back(calls[i].substr(12));
            }
        }
        return paths;
    }
    uint32_t AttributesOf(const std::string& path) {
        MemoryFileSystem::Node* node = files.Find(path);
        return node == nullptr ? kInvalidAttributes : node->attributes;
    }

    MemoryFileSystem files;
    MemoryClock clock;
    MemoryWindow window;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancelRequested{false};
};

}  // namespace kelvo
