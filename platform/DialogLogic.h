// The logic of a modal dialog of the program's own beside the main window:
// the platform makes the dialog from its template, hands its controls to
// the logic as a Window, and ends the dialog with the result the logic
// gives. The logic reaches the dialog only through Window, so it runs
// natively against the in-memory platform.
#pragma once
#include "platform/Window.h"

namespace kelvo {

// What OnCommand answers while the dialog stays open.
inline constexpr int kDialogStaysOpen = -1;

class DialogLogic {
public:
    virtual ~DialogLogic() = default;
    // WM_INITDIALOG: the controls exist; the logic fills them.
    virtual void OnInit(Window& dialog) = 0;
    // A WM_COMMAND of a control (its id and notification code): the OK and
    // Cancel commands (Enter, Escape, the close box) come as kIdOk and
    // kIdCancel. The result to end the dialog with, or kDialogStaysOpen.
    virtual int OnCommand(Window& dialog, int id, int code) = 0;
};

}  // namespace kelvo
