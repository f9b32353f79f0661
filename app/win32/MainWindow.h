// The main window on Win32: the modal dialog of template 102 that owns the
// real platform and hands its messages to MainDialog.
#pragma once
// The file system's interface names operations the way <windows.h> names
// macros (SetCurrentDirectory), so it must be seen before <windows.h>:
// include this header before any other that brings <windows.h> in.
#include "app/MainDialog.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32RecordStore.h"
// clang-format off
#include "app/win32/ModalDialog.h"
#include "platform/win32/Win32Shell.h"
// clang-format on
#include "platform/win32/Win32Threads.h"
#include "platform/win32/Win32Window.h"

namespace kelvo {

class MainWindow : public ModalDialog {
public:
    MainWindow(const std::string& exeFolder, const FirstArgument& firstArgument);

protected:
    BOOL OnInitDialog() override;
    void OnOk() override { dialog_.StartOrCancel(); }
    void OnCancel() override { dialog_.CancelOrClose(); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // Posted at the end of the initialisation, so it arrives once the
    // window is on screen; beside Win32Window's own messages.
    static constexpr UINT kShownMessage = Win32Window::kSentWorkMessage + 1;

    void ShowAboutBox();

    Win32Window window_;
    Win32Shell shell_;
    Win32FileSystem files_;
    Win32Clock clock_;
    Win32Threads threads_;
    Win32RecordStore records_;
    MainDialog dialog_;
};

}  // namespace kelvo
