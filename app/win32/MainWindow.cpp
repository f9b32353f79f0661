#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include "app/win32/AboutDialog.h"
#include "app/win32/LogicDialog.h"
#include "platform/win32/Win32Dpi.h"
#include "resources/ResourceIds.h"

namespace kelvo {

MainWindow::MainWindow(const std::string& exeFolder, const FirstArgument& firstArgument)
    : ModalDialog(IDD_MAIN, nullptr),
      dialog_(DialogPlatform{window_, shell_, files_, clock_, threads_, &RunJob, &records_}, exeFolder, firstArgument) {
    shell_.SetAboutBox([this] { ShowAboutBox(); });
    shell_.SetDialogRunner([this](int templateId, DialogLogic& logic) {
        LogicDialog dialog(templateId, Handle(), logic);
        return static_cast<int>(dialog.Run());
    });
}

BOOL MainWindow::OnInitDialog() {
    window_.Attach(Handle());
    shell_.Attach(Handle());
    // Both views have their own height; MainDialog sizes the window when its scaling changes.
    KeepDialogSizeOnDpiChange(Handle());
    const BOOL focusFirst = dialog_.OnInitDialog() ? TRUE : FALSE;
    PostMessageW(Handle(), kShownMessage, 0, 0);
    return focusFirst;
}

bool MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (window_.HandleStatusMessage(message, wParam) || Win32Window::HandleSentWork(message, lParam)) {
        result = TRUE;
        return true;
    }
    if (message == kShownMessage) {
        dialog_.OnWindowShown();
        result = TRUE;
        return true;
    }
    // The dialog gets these only where no enabled control is, over a
    // disabled one for instance; its tips need them. (The wheel's messages,
    // further on, carry screen points and show no tip.)
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) shell_.RelayMouseToTips(message, wParam, lParam);
    Message m = CommandMessage(message, wParam, lParam);
    if (message == WM_NOTIFY) {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        m.code = static_cast<int>(header.code);
        m.id = header.code == TTN_NEEDTEXTW ? Win32Shell::TipControlId(header) : static_cast<int>(header.idFrom);
    } else if (message != WM_COMMAND) {
        m.id = 0;
        m.code = 0;
    }
    Rect suggested;
    if (message == WM_DPICHANGED) {
        const RECT& r = *reinterpret_cast<const RECT*>(lParam);
        suggested = Rect{r.left, r.top, r.right, r.bottom};
        m.lParam = reinterpret_cast<std::intptr_t>(&suggested);
    }
    const Reply reply = dialog_.HandleMessage(m);
    result = reply.value;
    return reply.handled;
}

void MainWindow::ShowAboutBox() {
    AboutDialog about(Handle());
    about.Run();
}

}  // namespace kelvo
