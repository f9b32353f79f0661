#include "app/win32/AboutDialog.h"

#include <shellapi.h>

#include <string>

#include "app/HelpDocument.h"
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
    char module[260] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    const std::string path = HelpDocumentPath(module);
    const INT_PTR outcome = reinterpret_cast<INT_PTR>(
        ShellExecuteA(Handle(), "open", path.c_str(), nullptr, nullptr, SW_SHOWDEFAULT));
    if (!HelpOpenFailed(outcome)) return;
    char text[512];
    if (outcome == kShellFileNotFound) {
        wsprintfA(text, kHelpNotFoundFormat, kShellFileNotFound, kHelpDocumentName);
    } else {
        wsprintfA(text, kHelpErrorFormat, static_cast<int>(outcome));
    }
    MessageBoxA(Handle(), text, kHelpErrorCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace kelvo
