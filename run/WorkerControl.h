// The control block of a run: whether one is going, whether the user asked
// to cancel it, and the three callbacks the main window registers for its
// start, its body on the worker thread and its end. At most one run at a time.
#pragma once
#include <atomic>

#include "platform/Threads.h"
#include "platform/Window.h"

namespace kelvo {

class WorkerControl {
public:
    using Callback = void (*)(void* context);

    // The run's end is handed to `window`'s thread.
    WorkerControl(Threads& threads, Window& window) : threads_(threads), window_(window) {}
    virtual ~WorkerControl() = default;
    WorkerControl(const WorkerControl&) = delete;
    WorkerControl& operator=(const WorkerControl&) = delete;

    // Handed to each callback. Empty slots are not called.
    void* callbackContext = nullptr;
    Callback onRunStart = nullptr;  // window's thread, before the worker exists
    Callback threadBody = nullptr;  // worker thread
    Callback onRunEnd = nullptr;    // window's thread, from EndRun, the worker waiting

    std::atomic<bool> running{false};
    std::atomic<bool> cancelRequested{false};

    // The OK command: cancels a run that is going, otherwise starts one. When
    // the worker thread can't be created the run ends at once, so the window
    // is back in its idle state.
    void StartOrCancel();
    // The cancel part of the Cancel command: true when a run was going and is
    // now asked to stop; false when idle, so the caller closes the window.
    bool CancelIfRunning();
    // Restores the window through onRunEnd and clears both flags, both on the
    // window's thread while the caller waits; does nothing when no run is
    // going. The worker thread returns after it.
    void EndRun();

    bool Running() const { return running.load(std::memory_order_relaxed); }
    bool CancelRequested() const { return cancelRequested.load(std::memory_order_relaxed); }

private:
    void ThreadProcedure();

    Threads& threads_;
    Window& window_;
};

}  // namespace kelvo
