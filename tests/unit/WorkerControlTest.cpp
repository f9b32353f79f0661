// The run's control block alone: the state table of idle, running and
// cancel asked, with threads that run inline, really, or refuse to start.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/memory/MemoryThreads.h"
#include "platform/memory/MemoryWindow.h"
#include "run/WorkerControl.h"

namespace kelvo {
namespace {

// Records the run's start, body and end and, while `hold` is set, keeps
// the body running until a cancel is asked.
struct Recorder : WorkerHost {
    WorkerControl* worker = nullptr;
    std::vector<std::string> events;
    std::atomic<bool> hold{false};
    std::atomic<bool> bodyStarted{false};
    bool runningSeenAtStart = false;
    bool runningSeenAtEnd = false;

    void OnRunStart() override {
        runningSeenAtStart = worker->Running();
        events.push_back("start");
    }
    void RunBody() override {
        bodyStarted = true;
        while (hold.load() && !worker->CancelRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        events.push_back(worker->CancelRequested() ? "body cancelled" : "body");
        worker->EndRun();
    }
    void OnRunEnd() override {
        runningSeenAtEnd = worker->Running();
        events.push_back("end");
    }
};

// A host whose body leaves the run going.
struct IdleHost : WorkerHost {
    void OnRunStart() override {}
    void RunBody() override {}
    void OnRunEnd() override {}
};

class WorkerControlTest : public ::testing::Test {
protected:
    WorkerControlTest() { recorder.worker = &worker; }
    // A test that stopped half-way must not leave a held body behind.
    ~WorkerControlTest() override {
        recorder.hold = false;
        WaitForIdle();
    }
    void WaitUntil(const std::atomic<bool>& flag) {
        for (int i = 0; i < 5000 && !flag.load(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // This thread is the window's: it takes the run's end from the worker.
    void WaitForIdle() {
        for (int i = 0; i < 5000 && worker.Running(); ++i) {
            if (window.HandleSentWork() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        threads.JoinAll();
    }

    Recorder recorder;
    MemoryThreads threads;
    MemoryWindow window;
    WorkerControl worker{recorder, threads, window};
};

TEST_F(WorkerControlTest, StartsIdle) {
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(worker.CancelRequested());
}

TEST_F(WorkerControlTest, InlineRunGoesThroughStartBodyEndAndBackToIdle) {
    worker.StartOrCancel();
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"start", "body", "end"}));
    EXPECT_TRUE(recorder.runningSeenAtStart);
    EXPECT_TRUE(recorder.runningSeenAtEnd);  // the window is restored before the flags clear
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(worker.CancelRequested());
    EXPECT_EQ(threads.Started(), 1);
}

TEST_F(WorkerControlTest, StartWhileRunningAsksToCancelAndStartsNoSecondRun) {
    threads.SetMode(MemoryThreads::Mode::RealThread);
    recorder.hold = true;
    worker.StartOrCancel();
    WaitUntil(recorder.bodyStarted);
    EXPECT_TRUE(worker.Running());
    EXPECT_FALSE(worker.CancelRequested());
    worker.StartOrCancel();
    WaitForIdle();
    EXPECT_EQ(threads.Started(), 1);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"start", "body cancelled", "end"}));
    EXPECT_FALSE(worker.CancelRequested());  // cleared by the end of the run
}

TEST_F(WorkerControlTest, CancelWhileRunningKeepsTheRunAndAsksToStop) {
    threads.SetMode(MemoryThreads::Mode::RealThread);
    recorder.hold = true;
    worker.StartOrCancel();
    WaitUntil(recorder.bodyStarted);
    EXPECT_TRUE(worker.CancelIfRunning());
    EXPECT_TRUE(worker.CancelIfRunning());  // cancel asked: a further request changes nothing
    WaitForIdle();
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(worker.CancelRequested());
}

TEST_F(WorkerControlTest, CancelWhenIdleReportsIdleAndSetsNothing) {
    EXPECT_FALSE(worker.CancelIfRunning());
    EXPECT_FALSE(worker.CancelRequested());
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(WorkerControlTest, RefusedThreadRestoresIdleAtOnce) {
    threads.SetMode(MemoryThreads::Mode::Refuse);
    worker.StartOrCancel();
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"start", "end"}));
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(worker.CancelRequested());
    // The next start is a start again, not a cancel.
    threads.SetMode(MemoryThreads::Mode::Inline);
    worker.StartOrCancel();
    EXPECT_EQ(threads.Started(), 1);
}

TEST_F(WorkerControlTest, EndRunWhenIdleDoesNothing) {
    worker.EndRun();
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(WorkerControlTest, OnlyEndRunEndsTheRun) {
    MemoryThreads inlineThreads;
    IdleHost idle;
    WorkerControl bare(idle, inlineThreads, window);
    bare.StartOrCancel();  // the body returned without EndRun: the run goes on
    EXPECT_TRUE(bare.Running());
    bare.EndRun();
    EXPECT_FALSE(bare.Running());
}

}  // namespace
}  // namespace kelvo
