// One timed run of the real Kelvo.exe: started on a tree, the job set in
// its window as a user would set it, the start button pressed and the run
// timed until the button reads its start caption again. Optionally the
// window's message round trip is probed meanwhile.
#pragma once
#include <string>
#include <vector>

#include "bench/win32/BenchJobs.h"

namespace kelvo::bench {

struct KelvoRunResult {
    bool finished = false;
    double seconds = 0;
    std::string status;           // the status text at the end
    size_t peakWorkingSet = 0;    // bytes, 0 when the system didn't tell
    std::vector<double> roundTripsMs;  // WM_NULL round trips, when probed
};

// What the program is made to do: a run from the start button, a preview of
// it from the system menu, or the undo of the last run (no job is set; the
// question is answered Yes and the time counts from there).
enum class KelvoAction { Run, Preview, Undo };

KelvoRunResult RunKelvo(Job job, const std::string& root, bool probe, KelvoAction action = KelvoAction::Run);

}  // namespace kelvo::bench
