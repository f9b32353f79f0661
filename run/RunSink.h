// Where a run, a preview or an undo tells how it goes: its status texts,
// the items it writes down, the few things it has to say or ask on its way,
// and its end. The main window shows them in its status area and message
// boxes; the console program on its standard output and error.
#pragma once
#include <cstdint>
#include <string>

#include "items/StatusSink.h"

namespace kelvo {

class RunSink : public StatusSink {
public:
    // A changed or left line as the record has it; `code` is the system's
    // error whose message the record puts after a left line (0: none, the
    // line holds its reason).
    virtual void ItemLine(const std::string& line, uint32_t code) = 0;
    // The target is neither a folder nor a file: nothing was done.
    virtual void TargetRefused() = 0;
    // No record can be made: true to go on without one.
    virtual bool GoOnWithoutRecord() = 0;
    // The record could not be written: nothing more is changed.
    virtual void RecordWriteFailed() = 0;
    // The record to undo is gone, or another program's writer holds it.
    virtual void RecordUnavailable(bool inUse) = 0;
    // A run cut short, counted now: true to undo it.
    virtual bool ConfirmUndo(const std::string& question) = 0;
    // A finished undo could not mark the run's record undone.
    virtual void UndoneUnmarked() = 0;
    // A file target was renamed to `newPath`.
    virtual void TargetRenamed(const std::string& newPath) = 0;
    // The run, preview or undo finished (not cancelled).
    virtual void Finished() = 0;
};

}  // namespace kelvo
