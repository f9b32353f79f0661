#include "app/win32/ModalDialog.h"

#include "app/WindowPlacement.h"

namespace kelvo {
namespace {

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

INT_PTR ModalDialog::Run() {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner_, &DialogProcedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::DialogProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    ModalDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<ModalDialog*>(lParam);
        dialog->handle_ = handle;
        SetWindowLongPtrW(handle, DWLP_USER, lParam);
    } else {
        dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(handle, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) have no object yet.
    if (dialog == nullptr) return FALSE;
    return dialog->Dispatch(message, wParam, lParam);
}

INT_PTR ModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const BOOL focus = OnInitDialog();
        Centre();
        return focus;
    }
    if (message == WM_COMMAND && HIWORD(wParam) <= 1) {
        // Button clicks, Enter and Escape (code 0) and accelerators (code 1).
        if (LOWORD(wParam) == IDOK) {
            OnOk();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    INT_PTR result = FALSE;
    if (!OnMessage(message, wParam, lParam, result)) return FALSE;
    return result;
}

bool ModalDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void ModalDialog::Centre() {
    // A box that lands on a monitor with another scaling than the one it
    // was made on is rescaled there by the system, so it is centred once
    // more with its new size.
    for (int pass = 0; pass < 2; ++pass) {
        RECT before;
        GetWindowRect(handle_, &before);
        MoveToCentre(before);
        RECT after;
        GetWindowRect(handle_, &after);
        if (after.right - after.left == before.right - before.left &&
            after.bottom - after.top == before.bottom - before.top) {
            return;
        }
    }
}

void ModalDialog::MoveToCentre(const RECT& window) {
    HWND owner = GetWindow(handle_, GW_OWNER);
    HMONITOR monitor = owner != nullptr ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                        : MonitorFromWindow(handle_, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    RECT area = info.rcWork;
    if (owner != nullptr) GetWindowRect(owner, &area);
    const Rect work = ToRect(info.rcWork);
    const Rect placed = owner != nullptr ? CentredOnOwner(ToRect(window), ToRect(area), IsIconic(owner) != FALSE, work)
                                         : CentredRect(ToRect(window), ToRect(area), work);
    SetWindowPos(handle_, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kelvo
