#include "platform/win32/Win32Dpi.h"

namespace kelvo {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SetDialogDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS,
                                                         DIALOG_DPI_CHANGE_BEHAVIORS);

// A function of user32 by name; null where this system has none.
template <class Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr) return nullptr;
    // Through void*, as FARPROC has no parameters to agree with.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

void KeepDialogSizeOnDpiChange(HWND dialog) {
    static const auto setBehavior = User32Function<SetDialogDpiChangeBehaviorFunction>("SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr) setBehavior(dialog, DDC_DISABLE_RESIZE, DDC_DISABLE_RESIZE);
}

}  // namespace kelvo
