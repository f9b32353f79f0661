// The program's entry point: the application object, built before the
// entry runs, and the modal run of the main window; the process ends when
// the window closes.
#include "app/win32/MainWindow.h"
// After MainWindow.h, which has to come before <windows.h>.
#include <commctrl.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/MainApp.h"

namespace {

std::string ModulePath() {
    char path[260] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

const kelvo::MainApp application(ModulePath());

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The C runtime's argument vector has the quotes already removed.
    const std::string firstArgument = (__argc > 1 && __argv[1] != nullptr) ? __argv[1] : "";
    auto* window = new kelvo::MainWindow(application.exeFolder, firstArgument);
    window->Run();
    delete window;
    return 0;
}
