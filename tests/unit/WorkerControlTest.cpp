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

// Records the callbacks and, while `hold` is set, keeps the body running
// until a cancel is asked.
struct Recorder {
    WorkerControl* worker = nullptr;
    std::vector<std::string> events;
    std::atomic<bool> hold{false};
    std::atomic<bool> bodyStarted{false};
    bool runningSeenAtStart = false;
    bool runningSeenAtEnd = false;

    static void Start(void* c) {
        Recorder& r = *static_cast<Recorder*>(c);
        r.runningSeenAtStart = r.worker->Running();
        r.events.push_back("start");
    }
    static void Body(void* c) {
        Recorder& r = *static_cast<Recorder*>(c);
        r.bodyStarted = true;
        while (r.hold.load() && !r.worker->CancelRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        r.events.push_back(r.worker->CancelRequested() ? "body cancelled" : "body");
        r.worker->EndRun();
    }
    static void End(void* c) {
        Recorder& r = *static_cast<Recorder*>(c);
        r.runningSeenAtEnd = r.worker->Running();
        r.events.push_back("end");
    }
};

class WorkerControlTest : public ::testing::Test {
protected:
    WorkerControlTest() {
        recorder.worker = &worker;
        worker.callbackContext = &recorder;
        worker.onRunStart = &Recorder::Start;
        worker.threadBody = &Recorder::Body;
        worker.onRunEnd = &Recorder::End;
    }
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

    MemoryThreads threads;
    MemoryWindow window;
    WorkerControl worker{threads, window};
    Recorder recorder;
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

TEST_F(WorkerControlTest, EmptySlotsAreSkipped) {
    MemoryThreads inlineThreads;
    WorkerControl bare(inlineThreads, window);
    bare.StartOrCancel();  // no body: nothing ends the run but EndRun itself
    EXPECT_TRUE(bare.Running());
    bare.EndRun();
    EXPECT_FALSE(bare.Running());
}

}  // namespace
}  // namespace kelvo
