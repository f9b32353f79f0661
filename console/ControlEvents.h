// What the console program does when the console signals it: Ctrl+C and
// Ctrl+Break ask the work to stop between two items, as the window's cancel
// does; the console closing (or the user logging off, the system shutting
// down) asks the same and then holds the signal until the work has ended,
// since the system ends the process as soon as the handler returns. A
// signal after the work has ended is left to the system.
#pragma once
#include <atomic>

namespace kelvo {

enum class ControlEvent { CtrlC, CtrlBreak, Close, Logoff, Shutdown };

struct ControlAnswer {
    bool handled = false;      // the program takes the signal (it doesn't end at once)
    bool waitForEnd = false;   // hold the handler until the work has ended
};

class ControlEvents {
public:
    explicit ControlEvents(std::atomic<bool>& cancelRequested) : cancelRequested_(cancelRequested) {}

    // On the system's handler thread.
    ControlAnswer On(ControlEvent event);
    // On the main thread, once the work and its closing lines are done.
    void WorkEnded() { ended_.store(true); }
    bool Ended() const { return ended_.load(); }

private:
    std::atomic<bool>& cancelRequested_;
    std::atomic<bool> ended_{false};
};

}  // namespace kelvo
