#include "app/win32/AboutDialog.h"

#include <shellapi.h>

#include <string>

#include "app/HelpDocument.h"
#include "platform/win32/Cp932Wide.h"
#include "resources/ResourceIds.h"

namespace kelvo {

AboutDialog::AboutDialog(HWND owner) : ModalDialog(IDD_ABOUT, owner) {}

bool AboutDialog::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
    if (message != WM_HELP) return false;
    OpenHelpDocument();
    result = TRUE;
    return true;
}

void AboutDialog::OpenHelpDocument() {
    wchar_t module[260] = {};
    const DWORD length = GetModuleFileNameW(nullptr, module, 260);
    std::string modulePath;
    std::wstring path;
    // Beside an executable the program has no exact name for, the document
    // can't be named either: it counts as not found.
    INT_PTR outcome = kShellFileNotFound;
    if (Cp932FromWide(module, length, modulePath) && WideFromCp932(HelpDocumentPath(modulePath), path)) {
        outcome = reinterpret_cast<INT_PTR>(
            ShellExecuteW(Handle(), L"open", path.c_str(), nullptr, nullptr, SW_SHOWDEFAULT));
    }
    if (!HelpOpenFailed(outcome)) return;
    char text[512];
    if (outcome == kShellFileNotFound) {
        wsprintfA(text, kHelpNotFoundFormat, kShellFileNotFound, kHelpDocumentName);
    } else {
        wsprintfA(text, kHelpErrorFormat, static_cast<int>(outcome));
    }
    MessageBoxW(Handle(), ShownWideFromCp932(text).c_str(), ShownWideFromCp932(kHelpErrorCaption).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace kelvo
