#include "platform/win32/Win32Shell.h"

#include <commctrl.h>
#include <shellapi.h>

#include "platform/win32/Cp932Wide.h"
#include "resources/ResourceIds.h"

namespace kelvo {
namespace {

constexpr UINT kAboutCommandId = 0x0010;

// Static texts and group boxes never show a tip; a group box's place would
// also cover every control inside its frame.
bool MayShowTip(HWND child) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") == 0) return false;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    return lstrcmpiW(className, L"Button") != 0 || (style & BS_TYPEMASK) != BS_GROUPBOX;
}

RECT PlaceInDialog(HWND dialog, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

TOOLINFOW PlacedTool(HWND dialog, HWND child) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = dialog;
    tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(child));
    tool.rect = PlaceInDialog(dialog, child);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return tool;
}

}  // namespace

IconHandle Win32Shell::LoadAppIcon() {
    return reinterpret_cast<IconHandle>(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP)));
}

void Win32Shell::AddAboutItemToSystemMenu() {
    HMENU menu = GetSystemMenu(dialog_, FALSE);
    if (menu == nullptr) return;
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    // The string resource is UTF-16 already: it goes to the menu unconverted.
    wchar_t text[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUT_ITEM, text, 256) <= 0) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommandId, text);
}

void Win32Shell::AddSystemMenuItems(const std::vector<SystemMenuItem>& items) {
    HMENU menu = GetSystemMenu(dialog_, FALSE);
    if (menu == nullptr) return;
    for (const SystemMenuItem& item : items) {
        if (item.id == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, item.id, ShownWideFromCp932(item.text).c_str());
        }
    }
}

void Win32Shell::EnableSystemMenuItem(unsigned id, bool enabled) {
    HMENU menu = GetSystemMenu(dialog_, FALSE);
    if (menu != nullptr) EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32Shell::SetWindowIcons(IconHandle icon) {
    SendMessageW(dialog_, WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon));
    SendMessageW(dialog_, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon));
}

void Win32Shell::EnableToolTips() {
    toolTip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, dialog_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (toolTip_ == nullptr) return;
    EnumChildWindows(
        dialog_,
        [](HWND child, LPARAM parameter) -> BOOL {
            reinterpret_cast<Win32Shell*>(parameter)->AddTool(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
    SendMessageW(toolTip_, TTM_ACTIVATE, TRUE, 0);
}

void Win32Shell::AddTool(HWND child) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(child);
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!MayShowTip(child)) return;
    // Not subclassed: the dialog relays its own mouse messages, so the
    // places can be brought up to date first.
    TOOLINFOW placed = PlacedTool(dialog_, child);
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&placed));
    placedControls_.push_back(child);
}

void Win32Shell::RelayMouseToTips(UINT message, WPARAM wParam, LPARAM lParam) {
    if (toolTip_ == nullptr) return;
    for (HWND control : placedControls_) {
        TOOLINFOW placed = PlacedTool(dialog_, control);
        SendMessageW(toolTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&placed));
    }
    MSG relayed{};
    relayed.hwnd = dialog_;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    GetCursorPos(&relayed.pt);
    SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void Win32Shell::SetTipText(std::intptr_t request, const std::string& text) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(request);
    constexpr int kBufferLength = static_cast<int>(sizeof info->szText / sizeof info->szText[0]);
    // As much as an 80-byte buffer of code page 932 holds.
    const std::wstring wide = ShownWideFromCp932(CutToBytes(text, kBufferLength - 1));
    lstrcpynW(info->szText, wide.c_str(), kBufferLength);
    info->lpszText = info->szText;
}

int Win32Shell::TipControlId(const NMHDR& header) {
    const auto& info = reinterpret_cast<const NMTTDISPINFOW&>(header);
    if ((info.uFlags & TTF_IDISHWND) != 0) return GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom));
    return static_cast<int>(header.idFrom);
}

void Win32Shell::AddTrayIcon(unsigned id, IconHandle icon, unsigned callbackMessage, const std::string& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = dialog_;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = reinterpret_cast<HICON>(icon);
    // As much as a 64-byte tip of code page 932 holds.
    const std::wstring wide = ShownWideFromCp932(CutToBytes(tip, 63));
    lstrcpynW(data.szTip, wide.c_str(), 64);
    Shell_NotifyIconW(NIM_ADD, &data);
}

void Win32Shell::RemoveTrayIcon(unsigned id) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = dialog_;
    data.uID = id;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

bool Win32Shell::PaintIconIfMinimised(IconHandle icon) {
    if (!IsIconic(dialog_)) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog_, &paint);
    SendMessageW(dialog_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(dialog_, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, reinterpret_cast<HICON>(icon));
    EndPaint(dialog_, &paint);
    return true;
}

bool Win32Shell::TakeFirstDroppedPath(DropHandle drop, std::string& path) {
    HDROP handle = reinterpret_cast<HDROP>(drop);
    const UINT length = DragQueryFileW(handle, 0, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const UINT copied = length > 0 ? DragQueryFileW(handle, 0, &wide[0], length + 1) : 0;
    DragFinish(handle);
    wide.resize(copied <= length ? copied : length);
    std::string text;
    path.clear();
    if (!Cp932FromWide(wide, text)) return false;
    path = CutToBytes(text, kDropPathBytes);
    return true;
}

void Win32Shell::ReleaseDrop(DropHandle drop) { DragFinish(reinterpret_cast<HDROP>(drop)); }

void Win32Shell::ShowAboutBox() {
    if (aboutBox_) aboutBox_();
}

int Win32Shell::RunDialog(int templateId, DialogLogic& logic) {
    return dialogRunner_ ? dialogRunner_(templateId, logic) : IDCANCEL;
}

void Win32Shell::EndDialog(int result) { ::EndDialog(dialog_, result); }

}  // namespace kelvo
