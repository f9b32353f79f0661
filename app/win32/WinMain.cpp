// The program's entry point: the application object, built before the
// entry runs, and the modal run of the main window; the process ends when
// the window closes. The executable's path and the first argument come from
// the system in UTF-16 and are taken only when they have an exact code page
// 932 form: a stand-in character would name another file or folder.
#include "app/win32/MainWindow.h"
// After MainWindow.h, which has to come before <windows.h>.
#include <commctrl.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/MainApp.h"
#include "platform/win32/Cp932Wide.h"

namespace {

// Empty when the path has no exact form: the program then has no folder of
// its own to keep its settings in.
std::string ModulePath() {
    wchar_t path[260] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, 260);
    std::string text;
    kelvo::Cp932FromWide(path, length, text);
    return text;
}

const kelvo::MainApp application(ModulePath());

// The C runtime's wide argument vector has the quotes already removed, as
// its narrow one would; an argument without an exact form is given but not held.
kelvo::FirstArgument ReadFirstArgument() {
    if (__argc < 2 || __wargv == nullptr || __wargv[1] == nullptr || __wargv[1][0] == L'\0') return {};
    std::string text;
    if (!kelvo::Cp932FromWide(__wargv[1], text)) return kelvo::FirstArgument::NotExact();
    return kelvo::FirstArgument(text);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    auto* window = new kelvo::MainWindow(application.ExeFolder(), ReadFirstArgument());
    window->Run();
    delete window;
    return 0;
}
