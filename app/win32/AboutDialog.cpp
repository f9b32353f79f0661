#include "app/win32/AboutDialog.h"

#include <shellapi.h>

#include <string>

#include "app/MainApp.h"
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
    const std::string path = MainApp::FolderOf(module) + "ReadMe.html";
    const INT_PTR outcome = reinterpret_cast<INT_PTR>(
        ShellExecuteA(Handle(), "open", path.c_str(), nullptr, nullptr, SW_SHOWDEFAULT));
    if (outcome > 32) return;
    char text[512];
    if (outcome == ERROR_FILE_NOT_FOUND) {
        wsprintfA(text, "エラー%d、\"%s\"ファイルがありません", 2, "ReadMe.html");
    } else {
        wsprintfA(text, "ShellExcuteエラーコード%d", static_cast<int>(outcome));
    }
    MessageBoxA(Handle(), text, "エラー", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace kelvo
