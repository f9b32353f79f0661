// The status sink of a run on the main window: its status area.
#pragma once
#include <string>

#include "items/StatusSink.h"
#include "platform/Window.h"
#include "resources/ResourceIds.h"

namespace kelvo {

class WindowStatus final : public StatusSink {
public:
    explicit WindowStatus(Window& window) : window_(window) {}

    void ShowProgress(const std::string& text) override { window_.SetLatestText(IDC_STATUS, text); }
    void ShowFinal(const std::string& text) override { window_.SetText(IDC_STATUS, text); }

private:
    Window& window_;
};

}  // namespace kelvo
