// What a run asks of the window that owns it: its start and its end, both
// on the window's thread, and its body on the worker thread. The window
// hands itself to its WorkerControl when it constructs it.
#pragma once

namespace kelvo {

class WorkerHost {
public:
    // Window's thread, before the worker thread exists.
    virtual void OnRunStart() = 0;
    // Worker thread; ends the run with WorkerControl::EndRun.
    virtual void RunBody() = 0;
    // Window's thread, from EndRun, the worker waiting.
    virtual void OnRunEnd() = 0;

protected:
    ~WorkerHost() = default;
};

}  // namespace kelvo
