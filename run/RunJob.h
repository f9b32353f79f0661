// The body of one run: takes its job and a sink for its texts, then treats
// one file or walks the whole tree below a folder, reports to the sink, and
// writes down every item it changed or left in a change record. The main
// window's run reads its job from the controls and reports to the window.
#pragma once
#include <atomic>
#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/RecordStore.h"
#include "platform/Window.h"
#include "run/JobSettings.h"
#include "run/RunSink.h"

namespace kelvo {

// What a run works with, whoever started it.
struct RunServices {
    FileSystem& files;
    Clock& clock;
    // 1 while the sink wants the progress texts composed.
    const std::atomic<int>& fullView;
    const std::atomic<bool>& cancelRequested;    // polled before each entry of a file pass
    // Where each run's change record is written; none for a run without one.
    RecordStore* records = nullptr;
    // A preview: every step of the run with nothing changed on disk, the
    // record marked as a preview, and the preview's own closing texts.
    bool preview = false;
    // Where there is one, the name of the run's record is put here.
    std::string* recordName = nullptr;
};

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

// The run of `job`, telling `sink` how it goes. Returns how it ended; a run
// stopped because its record could no longer be written ends Cancelled,
// after RecordWriteFailed.
RunEnd RunJobWith(const JobSettings& job, RunSink& sink, const RunServices& services);

// The main window's run, on the worker thread. Returns how the run ended;
// the caller then ends the run (restores the window) in every case.
RunEnd RunJob(RunEnvironment& environment);

}  // namespace kelvo
