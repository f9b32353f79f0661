// The console program's sink of a run, a preview or an undo: one line per
// item written down (changed, left with its reason) on the standard output,
// what the run has to say on the standard error, and at the end the run's
// closing text with the record's path. It asks nothing: a run without a
// record is refused, a run cut short is undone as the user asked.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "run/RunJob.h"
#include "run/RunSink.h"

namespace kelvo {

// One output stream, taking code page 932 text with "\r\n" line ends.
class TextOutput {
public:
    virtual ~TextOutput() = default;
    virtual void Write(const std::string& text) = 0;
};

// The exit codes a batch file tests.
enum ExitCode {
    kExitDone = 0,            // every item changed, or nothing to change
    kExitItemsLeft = 1,       // the run, the preview or the undo left items
    kExitRefused = 2,         // bad arguments, a refused target, a record that can't be made or read
    kExitCancelled = 3,       // Ctrl+C, Ctrl+Break or the console closing
    kExitNothingToUndo = 4,
    kExitRecordFailed = 5,    // stopped because the record could no longer be written
};

// `message`: the system's own words for an error code.
using SystemMessage = std::function<std::string(uint32_t)>;

class ConsoleSink final : public RunSink {
public:
    ConsoleSink(TextOutput& out, TextOutput& err, bool quiet, SystemMessage message)
        : out_(out), err_(err), quiet_(quiet), message_(std::move(message)) {}

    void ShowProgress(const std::string&) override {}
    void ShowFinal(const std::string& text) override { final_ = text; }
    void ItemLine(const std::string& line, uint32_t code) override;
    void TargetRefused() override;
    bool GoOnWithoutRecord() override;
    void RecordWriteFailed() override;
    void RecordUnavailable(bool inUse) override;
    bool ConfirmUndo(const std::string&) override { return true; }
    void UndoneUnmarked() override;
    void TargetRenamed(const std::string&) override {}
    void Finished() override {}

    // The closing text, then the record's path where there is one.
    void Summary(const std::string& recordPath);
    long LeftCount() const { return left_; }
    int ExitCodeOf(RunEnd end) const;

private:
    void Say(const std::string& text);

    TextOutput& out_;
    TextOutput& err_;
    const bool quiet_;
    SystemMessage message_;
    std::string final_;
    long left_ = 0;
    bool recordFailed_ = false;
};

// `text` with every line break as "\r\n".
std::string WithCrLf(const std::string& text);

}  // namespace kelvo
