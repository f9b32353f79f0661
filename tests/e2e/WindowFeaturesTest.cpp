// The window-level features of the real program under Wine: always-on-top
// and its compact strip, the tips registered for every control and shown
// under the mouse whether the control is enabled or not, F1 for the About
// box and, there, for the help document, and the settings file. The
// program runs from a copy in a folder of its own without ReadMe.html, and
// is started without an argument there, so its settings file is that
// folder's and no other test's.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "resources/ResourceIds.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr int kCompactHeight = 110;
constexpr DWORD kTimeoutMs = 30000;
constexpr char kAboutCaption[] = "Kelvoのﾊﾞｰｼﾞｮﾝ情報";

int Height(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The program's tip window: a tooltip popup owned by the main window.
HWND FindTipWindow(HWND mainWindow) {
    struct Search {
        HWND owner;
        HWND found;
    } search{mainWindow, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(mainWindow, nullptr),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t className[64] = L"";
            GetClassNameW(window, className, 64);
            if (lstrcmpiW(className, TOOLTIPS_CLASSW) != 0 || GetWindow(window, GW_OWNER) != s->owner) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Moves the real mouse to a point of the screen, as the user's hand would.
void MoveMouse(POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// The text the tip window shows once the mouse rests on a control; empty
// when no tip shows. The mouse first leaves the window, so every tip is a
// new one.
std::string TipShownOver(HWND tips, int id) {
    MoveMouse(POINT{1, 1});
    if (!WaitFor([tips] { return !IsWindowVisible(tips); }, kTimeoutMs)) return "(tip stayed)";
    RECT place;
    GetWindowRect(GetDlgItem(GetWindow(tips, GW_OWNER), id), &place);
    const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    // A few small moves, as a hand makes them, then the rest.
    for (int step = 3; step >= 0; --step) {
        MoveMouse(POINT{centre.x + step, centre.y});
        Sleep(50);
    }
    if (!WaitFor([tips] { return IsWindowVisible(tips) != FALSE; }, 5000)) return std::string();
    return WindowText(tips);
}

// F1 as the platform delivers it: WM_HELP sent to the window. Its handler
// runs a modal box, so it is sent from a thread of its own while the test
// goes on to find the box.
std::thread PressF1(HWND window) {
    return std::thread([window] {
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = window;
        SendMessageW(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    });
}

class WindowFeaturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
        folder = ScratchFolder() + "\\window-features";
        CreateDirectoryW(Wide(folder).c_str(), nullptr);
        DeleteFileW(Wide(folder + "\\ReadMe.html").c_str());
        DeleteFileW(Wide(folder + "\\Kelvo.ini").c_str());
        ASSERT_TRUE(CopyFileW(Wide(ExePath()).c_str(), Wide(folder + "\\Kelvo.exe").c_str(), FALSE)) << GetLastError();
        Start();
    }

    void TearDown() override { Stop(); }

    // Starts the copy without arguments in its own folder and waits for its window.
    void Start() {
        std::wstring copy = Wide(folder + "\\Kelvo.exe");
        std::wstring commandLine = L"\"" + copy + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessW(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   Wide(folder).c_str(), &startup, &process));
        WaitFor(
            [this] {
                HWND found = FindWindowW(L"#32770", L"Kelvo");
                DWORD owner = 0;
                if (found != nullptr) GetWindowThreadProcessId(found, &owner);
                if (owner == process.dwProcessId && IsWindowVisible(found)) mainWindow = found;
                return mainWindow != nullptr;
            },
            kTimeoutMs);
        ASSERT_NE(mainWindow, nullptr) << "no window with the caption Kelvo";
    }

    void Stop() {
        if (process.hProcess == nullptr) return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            if (mainWindow != nullptr) PostMessageW(mainWindow, WM_COMMAND, IDCANCEL, 0);
            if (WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        process = PROCESS_INFORMATION{};
        mainWindow = nullptr;
    }

    // The exit button's command, then the program's end.
    bool Close() {
        PostMessageW(mainWindow, WM_COMMAND, IDCANCEL, 0);
        return WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_OBJECT_0;
    }

    void Click(int id) { SendMessageW(GetDlgItem(mainWindow, id), BM_CLICK, 0, 0); }
    LRESULT Check(int id) { return SendDlgItemMessageW(mainWindow, id, BM_GETCHECK, 0, 0); }

    std::string SettingsLine1() {
        const std::string bytes = SettingsBytes();
        return bytes.substr(0, bytes.find_first_of("\r\n"));
    }

    // The settings file as it lies on the disk.
    std::string SettingsBytes() {
        HANDLE file = CreateFileW(Wide(folder + "\\Kelvo.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::string();
        char buffer[4096];
        DWORD got = 0;
        ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(file);
        return std::string(buffer, got);
    }

    std::string folder;
    PROCESS_INFORMATION process{};
    HWND mainWindow = nullptr;
};

TEST_F(WindowFeaturesTest, AlwaysOnTopShrinksToTheStripInPlaceAndBack) {
    RECT full;
    GetWindowRect(mainWindow, &full);
    const int fullHeight = full.bottom - full.top;
    ASSERT_GT(fullHeight, kCompactHeight);
    EXPECT_FALSE(IsTopmost(mainWindow));

    Click(IDC_ALWAYS_ON_TOP);
    EXPECT_EQ(Check(IDC_ALWAYS_ON_TOP), BST_CHECKED);
    RECT compact;
    GetWindowRect(mainWindow, &compact);
    EXPECT_EQ(compact.bottom - compact.top, kCompactHeight);
    EXPECT_EQ(compact.left, full.left);
    EXPECT_EQ(compact.top, full.top);
    EXPECT_EQ(compact.right, full.right);
    EXPECT_TRUE(IsTopmost(mainWindow));

    Click(IDC_ALWAYS_ON_TOP);
    EXPECT_EQ(Height(mainWindow), fullHeight);
    EXPECT_FALSE(IsTopmost(mainWindow));

    ASSERT_TRUE(Close());
    EXPECT_EQ(SettingsLine1(), "0");
}

TEST_F(WindowFeaturesTest, TickedAlwaysOnTopIsStoredAtExitAndOpensInTheStrip) {
    Click(IDC_ALWAYS_ON_TOP);
    ASSERT_TRUE(Close());
    EXPECT_EQ(SettingsLine1(), "1");

    Stop();
    Start();
    EXPECT_EQ(Check(IDC_ALWAYS_ON_TOP), BST_CHECKED);
    EXPECT_EQ(Height(mainWindow), kCompactHeight);
    EXPECT_TRUE(IsTopmost(mainWindow));
}

TEST_F(WindowFeaturesTest, EveryControlIsRegisteredWithTheTipWindow) {
    HWND tips = FindTipWindow(mainWindow);
    ASSERT_NE(tips, nullptr);
    // Each control once by its window; those that can show a tip (not the
    // texts and frames) once more by their place, for when they are disabled.
    int controls = 0;
    int placed = 0;
    for (HWND child = GetWindow(mainWindow, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        ++controls;
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        const bool text = lstrcmpiW(name, L"Static") == 0;
        const bool frame =
            lstrcmpiW(name, L"Button") == 0 && (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
        if (!text && !frame) ++placed;
    }
    EXPECT_EQ(controls, 88);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), controls + placed);
}

TEST_F(WindowFeaturesTest, TipsShowUnderTheMouseOverEnabledAndDisabledControls) {
    HWND tips = FindTipWindow(mainWindow);
    ASSERT_NE(tips, nullptr);
    // At start the rename toggle and the year spins are disabled.
    ASSERT_FALSE(IsWindowEnabled(GetDlgItem(mainWindow, IDC_RENAME_MODE)));
    ASSERT_FALSE(IsWindowEnabled(GetDlgItem(mainWindow, 1013)));
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(mainWindow, IDC_ALWAYS_ON_TOP)));
    EXPECT_EQ(TipShownOver(tips, IDC_ALWAYS_ON_TOP), "常に手前に表示します");
    EXPECT_EQ(TipShownOver(tips, IDC_RENAME_MODE), "削除モードに切り替える");
    EXPECT_EQ(TipShownOver(tips, 1013), "年を設定します(1980-2038)");
}

TEST_F(WindowFeaturesTest, SavedRenameTextsAreTheSameBytesInEveryLocale) {
    Click(IDC_RENAME_ON);
    SendDlgItemMessageW(mainWindow, IDC_TITLE_HEAD, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(L"\u8868\u30BD\uFF5E\uFF71caf\u00E9"));
    // A character the program can't hold leaves a rule text like a forbidden one.
    EXPECT_TRUE(WaitFor([this] { return WindowText(GetDlgItem(mainWindow, IDC_TITLE_HEAD)) == "表ソ～ｱcaf"; },
                        kTimeoutMs));
    Click(IDC_SAVE_RENAME);
    std::string expected = "0\r\n0\r\n表ソ～ｱcaf\r\n";
    for (int line = 4; line <= 10; ++line) expected += "\r\n";
    EXPECT_EQ(SettingsBytes(), expected);
}

TEST_F(WindowFeaturesTest, F1OpensAboutAndThereReportsTheMissingHelpDocument) {
    std::thread mainF1 = PressF1(mainWindow);
    HWND about = WaitForOwnedDialog(kAboutCaption, mainWindow, kTimeoutMs);
    if (about == nullptr) {
        PostMessageW(mainWindow, WM_COMMAND, IDCANCEL, 0);
        mainF1.join();
        FAIL() << "no About box";
    }
    EXPECT_FALSE(IsWindowEnabled(mainWindow));

    std::thread aboutF1 = PressF1(about);
    HWND error = WaitForOwnedDialog("エラー", about, kTimeoutMs);
    if (error != nullptr) {
        bool named = false;
        for (const std::string& text : ChildTexts(error)) {
            named = named || text == "エラー2、\"ReadMe.html\"ファイルがありません";
        }
        EXPECT_TRUE(named);
        PostMessageW(error, WM_COMMAND, IDOK, 0);
    }
    aboutF1.join();
    EXPECT_NE(error, nullptr) << "no error box";
    // The About box stays open after the failure, and closes with OK.
    EXPECT_TRUE(IsWindow(about));
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    mainF1.join();
    EXPECT_TRUE(WaitFor([this] { return IsWindowEnabled(mainWindow) != FALSE; }, kTimeoutMs));
}

}  // namespace
}  // namespace kelvo::e2e
