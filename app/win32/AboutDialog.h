// The About box (template 100): closes with OK, Escape or its close box;
// F1 opens the help document beside the executable.
#pragma once
#include "app/win32/ModalDialog.h"

namespace kelvo {

class AboutDialog : public ModalDialog {
public:
    explicit AboutDialog(HWND owner);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void OpenHelpDocument();
};

}  // namespace kelvo
