// The main window on Win32: controls by id through window messages to the
// dialog's children, message boxes owned by the dialog, the beep, and the
// window's size, z-order and display scaling. The dialog is a Unicode
// window: texts go to it and come from it through the wide messages,
// converted from and to code page 932 explicitly; a character of a control's
// text that code page 932 has no form for comes back as '?', which no path
// accepts. Messages sent from the worker thread are answered by the window's
// thread, which never waits for the worker.
// Progress texts of the status area are paced: the worker only stores them
// and the window's thread shows the latest at most every kStatusIntervalMs.
#pragma once
#include <windows.h>

#include "platform/PacedText.h"
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
    void SetLatestText(int id, const std::string& text) override;
    void SetReadOnly(int id, bool readOnly) override;
    void Enable(int id, bool enabled) override;
    void LimitText(int id, int maxChars) override;
    void SetSpinRange(int id, int low, int high) override;
    void SetListItems(int id, const std::vector<std::string>& items) override;
    int GetListChoice(int id) override;
    void SetListChoice(int id, int index) override;
    int FocusedControl() override;
    void MoveFocusTo(int id) override;
    int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) override;
    void Beep() override;
    Rect GetWindowRect() override;
    void SetSizeAndZOrder(bool topmost, int width, int height) override;
    void SetWindowRect(const Rect& rect) override;
    int Dpi() override;
    void RunOnWindowThread(const std::function<void()>& work) override;

    // The window's thread: the messages that show paced texts. True when
    // `message` was one of them.
    bool HandleStatusMessage(UINT message, WPARAM wParam);
    // The window's thread: the message that carries work from another
    // thread. True when `message` was it.
    static bool HandleSentWork(UINT message, LPARAM lParam);

    static constexpr uint32_t kStatusIntervalMs = 50;
    // Private to the dialog: WM_APP and above are the application's own.
    static constexpr UINT kStatusWakeMessage = WM_APP + 1;   // posted: a paced text waits
    static constexpr UINT kStatusFlushMessage = WM_APP + 2;  // sent: show the latest text now
    static constexpr UINT kSentWorkMessage = WM_APP + 3;     // sent: run work on the window's thread
    static constexpr UINT_PTR kStatusTimerId = 0x4B53;

private:
    LRESULT Send(int id, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowDueStatus();
    void ShowStatus(const std::string& text);

    HWND dialog_ = nullptr;
    PacedText status_{kStatusIntervalMs};
};

}  // namespace kelvo
