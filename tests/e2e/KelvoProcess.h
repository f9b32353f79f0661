// The real Kelvo.exe for end-to-end tests: started with a first argument,
// its main window found by caption, driven with window messages as a user's
// clicks would, and always ended when the test is done. The driver's texts
// are code page 932 like the program's; it meets the system only through
// the wide calls and converts itself, naming code page 932, so it reads
// and writes the same bytes whatever the system's code page is.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kelvo::e2e {

// Code page 932 and UTF-16, both ways; a character without a form becomes '?'.
std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);
// A window's text through WM_GETTEXT, in code page 932.
std::string WindowText(HWND window);
// The texts of a window's children, in code page 932.
std::vector<std::string> ChildTexts(HWND window);
// A dialog of the class "#32770" with `caption`, owned by `owner`, once it
// shows up; null after `timeoutMs`.
HWND WaitForOwnedDialog(const std::string& caption, HWND owner, DWORD timeoutMs);
// Waits for the program's message box with `caption` and presses `button`
// (IDOK, IDYES, IDNO); true when it showed `text` and has gone.
bool AnswerMessageBox(HWND owner, const std::string& caption, const std::string& text, int button = IDOK);

// Environment variables set by the test runner, in Windows form.
std::string ExePath();
std::string ScratchFolder();

// Polls `condition` every 20 ms until it holds or `timeoutMs` have passed.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);

class KelvoProcess {
public:
    explicit KelvoProcess(const std::string& firstArgument);
    // Any executable, with a first argument as the system has it (none when
    // empty), started in `workingFolder` (the driver's own when empty).
    KelvoProcess(const std::wstring& exePath, const std::wstring& firstArgument, const std::wstring& workingFolder);
    ~KelvoProcess();
    KelvoProcess(const KelvoProcess&) = delete;
    KelvoProcess& operator=(const KelvoProcess&) = delete;

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    std::string Text(int id) const;
    int Check(int id) const;
    LONG Style(int id) const { return GetWindowLongW(Control(id), GWL_STYLE); }
    // BM_CLICK: the button is pressed and released as by the mouse.
    void Click(int id) const;
    void SetText(int id, const std::string& text) const;
    // Posted, as the commands come from the user, so the test never blocks on the window.
    void Post(UINT message, WPARAM wParam, LPARAM lParam) const { PostMessageW(window_, message, wParam, lParam); }
    // Start button back to its caption, the status text no longer `before`
    // and the job controls enabled again. The caption comes back last, in
    // the same step of the window's thread that ends the run, so a command
    // right after this starts a new run.
    bool WaitForRunEnd(const std::string& statusBefore, DWORD timeoutMs) const;
    // Posts a command every half second until the program has ended, as a
    // user presses again when the window didn't close.
    bool CloseWith(UINT message, WPARAM wParam, DWORD timeoutMs) const;
    bool WaitForExit(DWORD timeoutMs) const;
    bool Running() const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace kelvo::e2e
