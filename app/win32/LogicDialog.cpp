#include "app/win32/LogicDialog.h"

namespace kelvo {

BOOL LogicDialog::OnInitDialog() {
    window_.Attach(Handle());
    logic_.OnInit(window_);
    return TRUE;
}

bool LogicDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (message != WM_COMMAND) return false;
    Command(LOWORD(wParam), HIWORD(wParam));
    result = TRUE;
    return true;
}

void LogicDialog::Command(int id, int code) {
    const int end = logic_.OnCommand(window_, id, code);
    if (end != kDialogStaysOpen) EndDialog(Handle(), end);
}

}  // namespace kelvo
