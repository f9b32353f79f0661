// A modal dialog over DialogBoxParamW (a Unicode window, so its texts never
// pass through the system's code page): its dialog procedure finds the
// object, routes the OK and Cancel commands to two virtual operations and
// every other message to one, and centres the window once its
// initialisation has returned, since the raw dialog manager doesn't.
#pragma once
#include <windows.h>

namespace kelvo {

class ModalDialog {
public:
    ModalDialog(int templateId, HWND owner) : templateId_(templateId), owner_(owner) {}
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Runs the dialog until it ends; its result (IDOK, IDCANCEL).
    INT_PTR Run();
    HWND Handle() const { return handle_; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOk() { EndDialog(handle_, IDOK); }
    virtual void OnCancel() { EndDialog(handle_, IDCANCEL); }
    // True when handled; `result` is what the dialog procedure returns.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // Centred on the work area of the window's monitor, or on the owner
    // (on its monitor's work area while it is minimised).
    virtual void Centre();

private:
    static INT_PTR CALLBACK DialogProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void MoveToCentre(const RECT& window);

    int templateId_;
    HWND owner_;
    HWND handle_ = nullptr;
};

}  // namespace kelvo
