// A modal dialog whose behaviour lives in a DialogLogic: its controls are
// handed to the logic as a Win32Window, and every command (OK and Cancel
// included) goes to the logic, which says when the dialog ends.
#pragma once
#include "app/win32/ModalDialog.h"
#include "platform/DialogLogic.h"
#include "platform/win32/Win32Window.h"

namespace kelvo {

class LogicDialog : public ModalDialog {
public:
    LogicDialog(int templateId, HWND owner, DialogLogic& logic) : ModalDialog(templateId, owner), logic_(logic) {}

protected:
    BOOL OnInitDialog() override;
    void OnOk() override { Command(IDOK, BN_CLICKED); }
    void OnCancel() override { Command(IDCANCEL, BN_CLICKED); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void Command(int id, int code);

    DialogLogic& logic_;
    Win32Window window_;
};

}  // namespace kelvo
