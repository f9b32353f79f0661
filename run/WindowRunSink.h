// The main window's sink of a run: the status area, the message boxes, the
// path edit for a renamed file and the beep at the end.
#pragma once
#include "platform/Window.h"
#include "run/RunSink.h"
#include "run/WindowStatus.h"

namespace kelvo {

class WindowRunSink final : public RunSink {
public:
    explicit WindowRunSink(Window& window) : window_(window), status_(window) {}

    void ShowProgress(const std::string& text) override { status_.ShowProgress(text); }
    void ShowFinal(const std::string& text) override { status_.ShowFinal(text); }
    // The window lets the record and its own status area speak for the items.
    void ItemLine(const std::string&, uint32_t) override {}
    void TargetRefused() override;
    bool GoOnWithoutRecord() override;
    void RecordWriteFailed() override;
    void RecordUnavailable(bool inUse) override;
    bool ConfirmUndo(const std::string& question) override;
    void UndoneUnmarked() override;
    void TargetRenamed(const std::string& newPath) override;
    void Finished() override { window_.Beep(); }

private:
    Window& window_;
    WindowStatus status_;
};

}  // namespace kelvo
