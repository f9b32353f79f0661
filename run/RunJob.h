// The body of one run: reads the job from the main window (or takes the
// one it is given), then treats one
// file or walks the whole tree below a folder, reports in the status area,
// and writes down every item it changed or left in a change record.
#pragma once
#include <atomic>
#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/RecordStore.h"
#include "platform/Window.h"
#include "run/JobSettings.h"

namespace kelvo {

struct RunEnvironment {
    FileSystem& files;
    Clock& clock;
    Window& window;
    const std::atomic<int>& fullView;            // 1 while the window has its full size
    const std::atomic<bool>& cancelRequested;    // polled before each entry of a file pass
    // Where each run's change record is written; none for a run without one.
    RecordStore* records = nullptr;
    // A preview: every step of the run with nothing changed on disk, the
    // record marked as a preview, and the preview's own closing texts.
    bool preview = false;
    // Where there is one, the name of the run's record is put here.
    std::string* recordName = nullptr;
    // The job, where it comes from elsewhere than the main window's controls
    // (the time adjust's dialog); read from the window when null.
    const JobSettings* job = nullptr;
};

enum class RunEnd { Finished, Cancelled, Refused };

// Runs on the worker thread. Returns how the run ended; the caller then ends
// the run (restores the window) in every case.
RunEnd RunJob(RunEnvironment& environment);

}  // namespace kelvo
