// An in-memory main window for tests: a map of controls keyed by id holding
// check state, text, read-only and enabled flags, text limit and spin range,
// plus a record of message boxes, beeps, every text each control was given,
// how often it was enabled or disabled, and the window's size, z-order and display scaling (96 DPI unless a test
// moves it to another). Putting a text into an id the test marked as an
// edit delivers EN_UPDATE to the dialog's command handler, as a real edit
// does, so handlers that react to their own writes behave the same here.
// It keeps the keyboard focus as the dialog manager does: disabling the
// focused control leaves the window without focus, and Enter and Escape
// then reach no one.
// Safe to call from the worker thread; calls are serialised like window
// messages are. The thread that constructs it is the window's thread: work
// another thread hands to it waits until that thread takes it, as a sent
// message waits for the window's message loop.
#pragma once
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/Window.h"
#include "platform/WindowMessages.h"

namespace kelvo {

class MemoryWindow : public Window {
public:
    struct Control {
        int check = 0;
        std::string text;
        bool readOnly = false;
        bool enabled = true;
        int textLimit = 0;  // 0: no limit set
        int spinLow = 0;
        int spinHigh = 0;
        std::vector<std::string> texts;  // every text put in, in order
        int enableCalls = 0;             // how often it was enabled or disabled
        std::vector<std::string> listItems;  // a drop-down list's items
        int listChoice = -1;
    };
    struct MessageBoxCall {
        std::string text;
        std::string caption;
        unsigned style;
    };

    // Which ids are edits is the test's to say: a text put into one of
    // these sends EN_UPDATE.
    void MarkEdit(int id);
    // Receives WM_COMMAND notifications (control id, notification code).
    void SetCommandHandler(std::function<void(int id, int code)> handler) { onCommand_ = std::move(handler); }

    // What choosing an item of a drop-down list does: the choice changes
    // and the dialog is notified (CBN_SELCHANGE). Refused (false) while the
    // list is disabled or has no such item.
    bool Choose(int id, int index);
    // What a user's click does to a check box: the platform toggles (or, for a
    // three-state box, cycles) the state, then notifies the dialog.
    void Click(int id, bool threeState = false);
    // What typing or pasting into an edit does: the text changes and the dialog is notified.
    // Refused (returns false) while the edit is read-only or disabled.
    bool Type(int id, const std::string& text);
    // Which ids are push buttons is the test's to say: Enter on one of
    // these sends its own command rather than the default button's.
    void MarkPushButton(int id);
    // What tabbing or clicking into a control does: it gets the focus.
    // Refused (returns false) while it is disabled.
    bool Focus(int id);
    enum class Key { Enter, Escape };
    // A key as the dialog manager routes it: Enter sends the command of the
    // focused push button, or else of the default button (IDOK); Escape
    // sends IDCANCEL. False when no control has the focus, so no one gets it.
    bool Press(Key key);

    Control ControlState(int id);
    // Every id the window has been asked about so far.
    std::vector<int> ControlIds();
    std::vector<MessageBoxCall> MessageBoxes();
    // What every message box answers from now on (the button's id; 1, OK, at first).
    void AnswerMessageBoxes(int answer);
    int Beeps();
    Rect WindowRect();
    bool Topmost();
    // The scaling of the monitor the window is on, as moving it to another changes it.
    void SetDpi(int dpi);

    // The window's thread: runs the work other threads have handed over so
    // far, in order, as its message loop would; returns how many pieces ran.
    int HandleSentWork();
    // True once some work waits for the window's thread; false after `timeoutMs`.
    bool WaitForSentWork(int timeoutMs);

    // Window
    int GetCheck(int id) override;
    void SetCheck(int id, int state) override;
    std::string GetText(int id) override;
    void SetText(int id, const std::string& text) override;
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

private:
    struct SentWork {
        const std::function<void()>* work;
        bool done = false;
    };

    std::recursive_mutex mutex_;
    std::map<int, Control> controls_;
    std::set<int> edits_;
    std::set<int> pushButtons_;
    int focus_ = 0;  // 0: no control has the focus
    std::function<void(int, int)> onCommand_;
    std::vector<MessageBoxCall> messageBoxes_;
    int messageBoxAnswer_ = 1;
    int beeps_ = 0;
    Rect rect_{100, 100, 100 + 360, 100 + 560};
    bool topmost_ = false;
    int dpi_ = 96;

    const std::thread::id windowThread_ = std::this_thread::get_id();
    std::mutex sentMutex_;
    std::condition_variable sentChanged_;
    std::vector<SentWork*> sent_;
};

}  // namespace kelvo
