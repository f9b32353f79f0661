// The real Kelvo.exe for end-to-end tests: started with a first argument,
// its main window found by caption, driven with window messages as a user's
// clicks would, and always ended when the test is done.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace kelvo::e2e {

// Environment variables set by the test runner, in Windows form.
std::string ExePath();
std::string ScratchFolder();

// Polls `condition` every 20 ms until it holds or `timeoutMs` have passed.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);

class KelvoProcess {
public:
    // `exe`: a copy of the program elsewhere, whose settings file is its own.
    // Started in `currentDirectory`, or in the test's own when it is empty.
    explicit KelvoProcess(const std::string& firstArgument, const std::string& exe = ExePath(),
                          const std::string& currentDirectory = std::string());
    ~KelvoProcess();
    KelvoProcess(const KelvoProcess&) = delete;
    KelvoProcess& operator=(const KelvoProcess&) = delete;

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    std::string Text(int id) const;
    int Check(int id) const;
    LONG Style(int id) const { return GetWindowLongA(Control(id), GWL_STYLE); }
    // BM_CLICK: the button is pressed and released as by the mouse.
    void Click(int id) const;
    void SetText(int id, const std::string& text) const;
    // Posted, as the commands come from the user, so the test never blocks on the window.
    void Post(UINT message, WPARAM wParam, LPARAM lParam) const { PostMessageA(window_, message, wParam, lParam); }
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
