#include "platform/win32/Win32Shell.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resources/ResourceIds.h"

namespace kelvo {
namespace {

constexpr UINT kAboutCommandId = 0x0010;

BOOL CALLBACK AddToolForChild(HWND child, LPARAM parameter) {
    HWND toolTip = reinterpret_cast<HWND>(parameter);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(child);
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

}  // namespace

IconHandle Win32Shell::LoadAppIcon() {
    return reinterpret_cast<IconHandle>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP)));
}

void Win32Shell::AddAboutItemToSystemMenu() {
    HMENU menu = GetSystemMenu(dialog_, FALSE);
    if (menu == nullptr) return;
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    char text[256] = {};
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUT_ITEM, text, sizeof text) <= 0) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kAboutCommandId, text);
}

void Win32Shell::SetWindowIcons(IconHandle icon) {
    SendMessageA(dialog_, WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon));
    SendMessageA(dialog_, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon));
}

void Win32Shell::EnableToolTips() {
    toolTip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, dialog_, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (toolTip_ == nullptr) return;
    EnumChildWindows(dialog_, &AddToolForChild, reinterpret_cast<LPARAM>(toolTip_));
    SendMessageA(toolTip_, TTM_ACTIVATE, TRUE, 0);
}

void Win32Shell::SetTipText(std::intptr_t request, const std::string& text) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(request);
    lstrcpynA(info->szText, text.c_str(), static_cast<int>(sizeof info->szText));
    info->lpszText = info->szText;
}

int Win32Shell::TipControlId(const NMHDR& header) {
    const auto& info = reinterpret_cast<const NMTTDISPINFOA&>(header);
    if ((info.uFlags & TTF_IDISHWND) != 0) return GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom));
    return static_cast<int>(header.idFrom);
}

void Win32Shell::AddTrayIcon(unsigned id, IconHandle icon, unsigned callbackMessage, const std::string& tip) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = dialog_;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = reinterpret_cast<HICON>(icon);
    lstrcpynA(data.szTip, tip.c_str(), 64);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void Win32Shell::RemoveTrayIcon(unsigned id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = dialog_;
    data.uID = id;
    Shell_NotifyIconA(NIM_DELETE, &data);
}

bool Win32Shell::PaintIconIfMinimised(IconHandle icon) {
    if (!IsIconic(dialog_)) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog_, &paint);
    SendMessageA(dialog_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(dialog_, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, reinterpret_cast<HICON>(icon));
    EndPaint(dialog_, &paint);
    return true;
}

std::string Win32Shell::TakeFirstDroppedPath(DropHandle drop) {
    char path[500] = {};
    HDROP handle = reinterpret_cast<HDROP>(drop);
    const UINT length = DragQueryFileA(handle, 0, path, sizeof path);
    DragFinish(handle);
    return std::string(path, length < sizeof path ? length : sizeof path - 1);
}

void Win32Shell::ReleaseDrop(DropHandle drop) { DragFinish(reinterpret_cast<HDROP>(drop)); }

void Win32Shell::ShowAboutBox() {
    if (aboutBox_) aboutBox_();
}

void Win32Shell::EndDialog(int result) { ::EndDialog(dialog_, result); }

}  // namespace kelvo
