#include "platform/win32/Win32Window.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Cp932Wide.h"
#include "resources/ResourceIds.h"

namespace kelvo {

LRESULT Win32Window::Send(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageW(dialog_, id, message, wParam, lParam);
}

int Win32Window::GetCheck(int id) { return static_cast<int>(Send(id, BM_GETCHECK, 0, 0)); }

void Win32Window::SetCheck(int id, int state) { Send(id, BM_SETCHECK, static_cast<WPARAM>(state), 0); }

std::string Win32Window::GetText(int id) {
    // Sent, not read through GetWindowText, so it works the same from the worker.
    const LRESULT length = Send(id, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return std::string();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(id, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return ShownCp932FromWide(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void Win32Window::SetText(int id, const std::string& text) {
    if (id != IDC_STATUS) {
        Send(id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ShownWideFromCp932(text).c_str()));
        return;
    }
    // Through the paced text, so that no progress text still on its way
    // can follow this one; the sent message shows it before this returns.
    if (status_.Offer(text)) PostMessageW(dialog_, kStatusWakeMessage, 0, 0);
    SendMessageW(dialog_, kStatusFlushMessage, 0, 0);
}

void Win32Window::SetLatestText(int id, const std::string& text) {
    if (id != IDC_STATUS) {
        SetText(id, text);
        return;
    }
    if (status_.Offer(text)) PostMessageW(dialog_, kStatusWakeMessage, 0, 0);
}

bool Win32Window::HandleStatusMessage(UINT message, WPARAM wParam) {
    if (message == kStatusWakeMessage) {
        ShowDueStatus();
        return true;
    }
    if (message == WM_TIMER && wParam == kStatusTimerId) {
        KillTimer(dialog_, kStatusTimerId);
        ShowDueStatus();
        return true;
    }
    if (message == kStatusFlushMessage) {
        std::string text;
        if (status_.TakeNow(GetTickCount(), text)) ShowStatus(text);
        return true;
    }
    return false;
}

void Win32Window::ShowDueStatus() {
    std::string text;
    uint32_t waitMs = 0;
    switch (status_.Poll(GetTickCount(), text, waitMs)) {
        case PacedText::Due::Show: ShowStatus(text); break;
        case PacedText::Due::Wait: SetTimer(dialog_, kStatusTimerId, waitMs, nullptr); break;
        case PacedText::Due::Nothing: break;
    }
}

void Win32Window::RunOnWindowThread(const std::function<void()>& work) {
    // Sent, so the caller waits until the window's thread has run it; sent
    // from that thread itself, the dialog procedure runs it at once.
    SendMessageW(dialog_, kSentWorkMessage, 0, reinterpret_cast<LPARAM>(&work));
}

bool Win32Window::HandleSentWork(UINT message, LPARAM lParam) {
    if (message != kSentWorkMessage) return false;
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return true;
}

void Win32Window::ShowStatus(const std::string& text) {
    SetDlgItemTextW(dialog_, IDC_STATUS, ShownWideFromCp932(text).c_str());
}

void Win32Window::SetReadOnly(int id, bool readOnly) { Send(id, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0); }

void Win32Window::Enable(int id, bool enabled) {
    HWND control = GetDlgItem(dialog_, id);
    if (control != nullptr) EnableWindow(control, enabled ? TRUE : FALSE);
}

void Win32Window::LimitText(int id, int maxChars) { Send(id, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0); }

void Win32Window::SetSpinRange(int id, int low, int high) {
    Send(id, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void Win32Window::SetListItems(int id, const std::vector<std::string>& items) {
    Send(id, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        const std::wstring wide = ShownWideFromCp932(item);
        Send(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

int Win32Window::GetListChoice(int id) {
    const LRESULT choice = Send(id, CB_GETCURSEL, 0, 0);
    return choice == CB_ERR ? -1 : static_cast<int>(choice);
}

void Win32Window::SetListChoice(int id, int index) { Send(id, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int Win32Window::FocusedControl() {
    // The focus of the calling thread's windows: the window's thread's.
    HWND focus = GetFocus();
    return focus != nullptr && IsChild(dialog_, focus) ? GetDlgCtrlID(focus) : 0;
}

void Win32Window::MoveFocusTo(int id) {
    HWND control = GetDlgItem(dialog_, id);
    // WM_NEXTDLGCTL rather than SetFocus: the dialog manager moves the
    // default button's look along with the focus.
    if (control != nullptr) SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

int Win32Window::ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
    return MessageBoxW(dialog_, ShownWideFromCp932(text).c_str(), ShownWideFromCp932(caption).c_str(), style);
}

void Win32Window::Beep() { MessageBeep(0); }

Rect Win32Window::GetWindowRect() {
    RECT r{};
    ::GetWindowRect(dialog_, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

void Win32Window::SetSizeAndZOrder(bool topmost, int width, int height) {
    SetWindowPos(dialog_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, width, height, SWP_NOMOVE);
}

void Win32Window::SetWindowRect(const Rect& rect) {
    SetWindowPos(dialog_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32Window::Dpi() { return WindowDpi(dialog_); }

}  // namespace kelvo
