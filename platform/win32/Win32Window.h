// The main window on Win32: controls by id through window messages to the
// dialog's children, message boxes owned by the dialog, the beep, and the
// window's size and z-order. Messages sent from the worker thread are
// answered by the window's thread, which never waits for the worker.
#pragma once
#include <windows.h>

#include "platform/Window.h"

namespace kelvo {

class Win32Window : public Window {
public:
    // The dialog exists only from WM_INITDIALOG on.
    void Attach(HWND dialog) { dialog_ = dialog; }
    HWND Handle() const { return dialog_; }

    int GetCheck(int id) override;
    void SetCheck(int id, int state) override;
    std::string GetText(int id) override;
    void SetText(int id, const std::string& text) override;
    void SetReadOnly(int id, bool readOnly) override;
    void Enable(int id, bool enabled) override;
    void LimitText(int id, int maxChars) override;
    void SetSpinRange(int id, int low, int high) override;
    int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) override;
    void Beep() override;
    Rect GetWindowRect() override;
    void SetSizeAndZOrder(bool topmost, int width, int height) override;

private:
    LRESULT Send(int id, UINT message, WPARAM wParam, LPARAM lParam);

    HWND dialog_ = nullptr;
};

}  // namespace kelvo
