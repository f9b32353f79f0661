// The main window and its controls as the program's logic sees them:
// controls by id, message boxes, the beep, and the window's own rectangle,
// z-order and display scaling. Calls from the worker thread are delivered
// to the window's thread the way window messages are.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace kelvo {

// Check states of buttons: ticked always means exactly 1.
enum CheckState { kUnchecked = 0, kChecked = 1, kIndeterminate = 2 };

// Message box styles (the platform's values).
enum : unsigned {
    kMbOk = 0x0,
    kMbYesNo = 0x4,
    kMbIconQuestion = 0x20,
    kMbIconExclamation = 0x30,
    kMbIconWarning = 0x30,
};

// The buttons a message box answers with, beside OK (kIdOk).
enum MessageBoxAnswer { kIdYes = 6, kIdNo = 7 };

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Window {
public:
    virtual ~Window() = default;

    // Controls by id.
    virtual int GetCheck(int id) = 0;
    virtual void SetCheck(int id, int state) = 0;
    virtual std::string GetText(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    // For progress texts that follow each other fast: the control may skip
    // a text that a later call replaces before it would be seen, but it
    // always ends on the latest and never shows them out of order. A later
    // SetText on the same control wins over every text before it.
    virtual void SetLatestText(int id, const std::string& text) { SetText(id, text); }
    virtual void SetReadOnly(int id, bool readOnly) = 0;
    virtual void Enable(int id, bool enabled) = 0;
    virtual void LimitText(int id, int maxChars) = 0;
    // A 32-bit range.
    virtual void SetSpinRange(int id, int low, int high) = 0;
    // Drop-down lists: their items replaced, and the chosen one by its
    // index (-1: none).
    virtual void SetListItems(int id, const std::vector<std::string>& items) = 0;
    virtual int GetListChoice(int id) = 0;
    virtual void SetListChoice(int id, int index) = 0;
    // The control that has the keyboard focus, 0 when none of the window's
    // has it. A control that is disabled while it has the focus takes it
    // along: the window is then left without one, and keys reach no one.
    // On the window's thread only.
    virtual int FocusedControl() = 0;
    // Gives the focus to a control as the dialog's own keys do, so the
    // default button follows; on the window's thread only.
    virtual void MoveFocusTo(int id) = 0;

    // The window itself.
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
    virtual void Beep() = 0;
    virtual Rect GetWindowRect() = 0;
    // Keeps the position; sets the size and puts the window topmost or not.
    virtual void SetSizeAndZOrder(bool topmost, int width, int height) = 0;
    // Moves and sizes the window; its z-order stays.
    virtual void SetWindowRect(const Rect& rect) = 0;
    // Dots per inch of the monitor the window is on: 96 at 100 % scaling.
    virtual int Dpi() = 0;

    // Runs `work` on the window's own thread, between two of its messages,
    // and returns once it is done; called on that thread, it runs at once.
    // For work that reads or writes the window's own state, which only that
    // thread may touch.
    virtual void RunOnWindowThread(const std::function<void()>& work) = 0;
};

}  // namespace kelvo
