// Starting, cancelling and ending a run. The flags are shared with the
// worker without locks: each is a single value that one side writes and the
// other polls, so relaxed atomic accesses are enough.
#include "run/WorkerControl.h"

namespace kelvo {

void WorkerControl::StartOrCancel() {
    if (running_.load(std::memory_order_relaxed)) {
        cancelRequested_.store(true, std::memory_order_relaxed);
        return;
    }
    running_.store(true, std::memory_order_relaxed);
    cancelRequested_.store(false, std::memory_order_relaxed);
    host_.OnRunStart();
    // Nothing else would ever end a run whose thread never started.
    if (!threads_.Start([this] { host_.RunBody(); })) EndRun();
}

bool WorkerControl::CancelIfRunning() {
    if (!running_.load(std::memory_order_relaxed)) return false;
    cancelRequested_.store(true, std::memory_order_relaxed);
    return true;
}

void WorkerControl::EndRun() {
    if (!running_.load(std::memory_order_relaxed)) return;
    // The window's state belongs to its thread, so the restore happens there.
    // The flags clear in the same step, after the restore: no command of the
    // window can come in between, so once button 1 shows its start caption
    // a click on it starts a run.
    window_.RunOnWindowThread([this] {
        host_.OnRunEnd();
        cancelRequested_.store(false, std::memory_order_relaxed);
        running_.store(false, std::memory_order_relaxed);
    });
}

}  // namespace kelvo
