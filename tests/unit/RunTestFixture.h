// A run on the in-memory platform: a file system, a window whose controls
// hold a job, the flags shared with the window's thread, and helpers to
// read back what the run did.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "items/ItemContext.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"
#include "run/RunJob.h"
#include "run/WindowStatus.h"

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

    ItemContext Context() { return ItemContext{files, clock, statusArea, fullView}; }

    std::vector<std::string> StatusTexts() { return window.ControlState(IDC_STATUS).texts; }
    std::string LastStatus() {
        std::vector<std::string> texts = StatusTexts();
        return texts.empty() ? std::string() : texts.back();
    }
    // The paths written, in the order of their first write: one per item the
    // run changed. An update's write records the path followed by the word
    // and the three times; an attribute write, the path and the word.
    std::vector<std::string> ChangedPaths() {
        std::vector<std::string> paths;
        for (const std::string& call : files.Calls()) {
            std::string path;
            if (call.rfind("WriteItem ", 0) == 0) {
                size_t end = call.size();
                for (int value = 0; value < 4; ++value) end = call.rfind(' ', end - 1);
                path = call.substr(10, end - 10);
            } else if (call.rfind("SetAttributes ", 0) == 0) {
                path = call.substr(14, call.rfind(' ') - 14);
            } else if (call.rfind("SetTimes ", 0) == 0) {
                path = call.substr(9);
            } else {
                continue;
            }
            if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
        }
        return paths;
    }
    uint32_t AttributesOf(const std::string& path) {
        FaultyMemoryFileSystem::Node* node = files.Find(path);
        return node == nullptr ? kInvalidAttributes : node->attributes;
    }

    FaultyMemoryFileSystem files;
    MemoryClock clock;
    MemoryWindow window;
    WindowStatus statusArea{window};
    std::atomic<int> fullView{1};
    std::atomic<bool> cancelRequested{false};
};

}  // namespace kelvo
