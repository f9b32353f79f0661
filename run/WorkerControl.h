// The control block of a run: whether one is going and whether the user
// asked to cancel it. Its host, the main window, does the run's start, body
// and end. At most one run at a time.
#pragma once
#include <atomic>

#include "platform/Threads.h"
#include "platform/Window.h"
#include "run/WorkerHost.h"

namespace kelvo {

class WorkerControl {
public:
    // The run's end is handed to `window`'s thread.
    WorkerControl(WorkerHost& host, Threads& threads, Window& window)
        : host_(host), threads_(threads), window_(window) {}
    virtual ~WorkerControl() = default;
    WorkerControl(const WorkerControl&) = delete;
    WorkerControl& operator=(const WorkerControl&) = delete;

    // The OK command: cancels a run that is going, otherwise starts one. When
    // the worker thread can't be created the run ends at once, so the window
    // is back in its idle state.
    void StartOrCancel();
    // The cancel part of the Cancel command: true when a run was going and is
    // now asked to stop; false when idle, so the caller closes the window.
    bool CancelIfRunning();
    // Restores the window through the host's OnRunEnd and clears both flags, both on the
    // window's thread while the caller waits; does nothing when no run is
    // going. The worker thread returns after it.
    void EndRun();

    bool Running() const { return running_.load(std::memory_order_relaxed); }
    bool CancelRequested() const { return cancelRequested_.load(std::memory_order_relaxed); }
    // The flag the run polls between items.
    const std::atomic<bool>& CancelFlag() const { return cancelRequested_; }

private:
    WorkerHost& host_;
    Threads& threads_;
    Window& window_;
    std::atomic<bool> running_{false};
    std::atomic<bool> cancelRequested_{false};
};

}  // namespace kelvo
