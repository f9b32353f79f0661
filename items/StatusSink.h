// Where the item operations and the walk show how a run goes: one text area
// whose every new text replaces the last. The run binds it to the window's
// status area; the items only write to it.
#pragma once
#include <string>

namespace kelvo {

class StatusSink {
public:
    virtual ~StatusSink() = default;
    // A progress text: it may be skipped when the next one follows soon enough.
    virtual void ShowProgress(const std::string& text) = 0;
    // The last text of a run (finished, cancelled): shown before this returns.
    virtual void ShowFinal(const std::string& text) = 0;
};

}  // namespace kelvo
