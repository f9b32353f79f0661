// The window-level features of the real program under Wine: always-on-top
// and its compact strip, the tips registered for every control, F1 for the
// About box and, there, for the help document, and the always-on-top line
// of the settings file at exit. The program runs from a copy in a folder of
// its own without ReadMe.html, and is started without an argument there, so
// its settings file is that folder's and no other test's.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
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

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// A dialog with `caption` owned by `owner`, once it shows up.
HWND WaitForOwnedDialog(const char* caption, HWND owner) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindWindowA("#32770", caption);
            return found != nullptr && GetWindow(found, GW_OWNER) == owner;
        },
        kTimeoutMs);
    return found != nullptr && GetWindow(found, GW_OWNER) == owner ? found : nullptr;
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            char text[512] = "";
            GetWindowTextA(child, text, sizeof text);
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

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
            char className[64] = "";
            GetClassNameA(window, className, sizeof className);
            if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0 || GetWindow(window, GW_OWNER) != s->owner) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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
        SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    });
}

class WindowFeaturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
        folder = ScratchFolder() + "\\window-features";
        CreateDirectoryA(folder.c_str(), nullptr);
        DeleteFileA((folder + "\\ReadMe.html").c_str());
        DeleteFileA((folder + "\\Kelvo.ini").c_str());
        ASSERT_TRUE(CopyFileA(ExePath().c_str(), (folder + "\\Kelvo.exe").c_str(), FALSE)) << GetLastError();
        Start();
    }

    void TearDown() override { Stop(); }

    // Starts the copy without arguments in its own folder and waits for its window.
    void Start() {
        std::string copy = folder + "\\Kelvo.exe";
        std::string commandLine = "\"" + copy + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                   &startup, &process));
        WaitFor(
            [this] {
                HWND found = FindWindowA("#32770", "Kelvo");
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
            if (mainWindow != nullptr) PostMessageA(mainWindow, WM_COMMAND, IDCANCEL, 0);
            if (WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        process = PROCESS_INFORMATION{};
        mainWindow = nullptr;
    }

    // The exit button's command, then the program's end.
    bool Close() {
        PostMessageA(mainWindow, WM_COMMAND, IDCANCEL, 0);
        return WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_OBJECT_0;
    }

    void Click(int id) { SendMessageA(GetDlgItem(mainWindow, id), BM_CLICK, 0, 0); }
    LRESULT Check(int id) { return SendDlgItemMessageA(mainWindow, id, BM_GETCHECK, 0, 0); }

    std::string SettingsLine1() {
        std::ifstream file(folder + "\\Kelvo.ini");
        std::string line;
        std::getline(file, line);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
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
    int controls = 0;
    for (HWND child = GetWindow(mainWindow, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        ++controls;
    }
    EXPECT_EQ(controls, 88);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), controls);
}

TEST_F(WindowFeaturesTest, F1OpensAboutAndThereReportsTheMissingHelpDocument) {
    std::thread mainF1 = PressF1(mainWindow);
    HWND about = WaitForOwnedDialog(kAboutCaption, mainWindow);
    if (about == nullptr) {
        PostMessageA(mainWindow, WM_COMMAND, IDCANCEL, 0);
        mainF1.join();
        FAIL() << "no About box";
    }
    EXPECT_FALSE(IsWindowEnabled(mainWindow));

    std::thread aboutF1 = PressF1(about);
    HWND error = WaitForOwnedDialog("エラー", about);
    if (error != nullptr) {
        bool named = false;
        for (const std::string& text : ChildTexts(error)) {
            named = named || text == "エラー2、\"ReadMe.html\"ファイルがありません";
        }
        EXPECT_TRUE(named);
        PostMessageA(error, WM_COMMAND, IDOK, 0);
    }
    aboutF1.join();
    EXPECT_NE(error, nullptr) << "no error box";
    // The About box stays open after the failure, and closes with OK.
    EXPECT_TRUE(IsWindow(about));
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    mainF1.join();
    EXPECT_TRUE(WaitFor([this] { return IsWindowEnabled(mainWindow) != FALSE; }, kTimeoutMs));
}

}  // namespace
}  // namespace kelvo::e2e
