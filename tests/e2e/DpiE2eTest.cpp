// The real window at one display scaling, given in KELVO_LOGPIXELS (the
// runs at 96, 120, 144 and 192 DPI set it, and the Wine prefix's LogPixels
// with it; other runs skip these tests): the always-on-top strip shows the
// path edit and both buttons, the full window comes back, also after a start
// in the strip, and the About box and its message box are laid out at the
// same scaling. Pictures of the full window and of the strip are saved as
// dpi-<N>-full.png and dpi-<N>-strip.png beside the scratch folder.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>

#include "resources/ResourceIds.h"
#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr char kAboutCaption[] = "Kelvoのﾊﾞｰｼﾞｮﾝ情報";

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The window's own DPI where the system can tell it, else the system's.
int DpiOf(HWND window) {
    using Function = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return getDpiForWindow != nullptr ? static_cast<int>(getDpiForWindow(window)) : SystemDpi();
}

SIZE SizeOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT ClientOnScreen(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// Each control lies wholly inside the client area of its dialog.
void ExpectInsideClientArea(HWND dialog, std::initializer_list<int> ids) {
    const RECT client = ClientOnScreen(dialog);
    for (int id : ids) {
        RECT control;
        ASSERT_TRUE(GetWindowRect(GetDlgItem(dialog, id), &control)) << id;
        EXPECT_GE(control.left, client.left) << id;
        EXPECT_GE(control.top, client.top) << id;
        EXPECT_LE(control.right, client.right) << id;
        EXPECT_LE(control.bottom, client.bottom) << "control " << id << " below the client area";
    }
}

// A dialog with `caption` owned by `owner`, once it shows up.
HWND WaitForOwnedDialog(const char* caption, HWND owner) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindWindowW(L"#32770", Wide(caption).c_str());
            return found != nullptr && GetWindow(found, GW_OWNER) == owner && IsWindowVisible(found);
        },
        kTimeoutMs);
    return found != nullptr && GetWindow(found, GW_OWNER) == owner ? found : nullptr;
}

class DpiE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* requested = std::getenv("KELVO_LOGPIXELS");
        dpi = requested != nullptr ? std::atoi(requested) : 0;
        if (dpi <= 0) GTEST_SKIP() << "KELVO_LOGPIXELS is not set: no display scaling to test";
        ASSERT_EQ(SystemDpi(), dpi) << "the Wine prefix did not take the display scaling";
        ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
        // A copy of its own: its settings file and no help document beside it.
        const std::string folder = MakeFolder("dpi");
        exe = folder + "\\Kelvo.exe";
        DeleteFileW(Wide(folder + "\\Kelvo.ini").c_str());
        ASSERT_TRUE(CopyFileW(Wide(ExePath()).c_str(), Wide(exe).c_str(), FALSE)) << GetLastError();
    }

    std::unique_ptr<KelvoProcess> Start() {
        // Nothing is run on it; a short everyday path makes a picture for
        // the documentation.
        auto kelvo = std::make_unique<KelvoProcess>(Wide(exe), L"C:\\Users\\Public\\Pictures", std::wstring());
        EXPECT_NE(kelvo->Window(), nullptr) << "no window with the caption Kelvo";
        return kelvo;
    }

    // The strip at this scaling, with the path edit and both buttons in sight.
    void ExpectStrip(HWND window) {
        EXPECT_EQ(SizeOf(window).cy, MulDiv(110, dpi, 96));
        ExpectInsideClientArea(window, {IDC_PATH, IDOK, IDCANCEL});
    }

    std::string Picture(const char* view) const { return "dpi-" + std::to_string(dpi) + "-" + view + ".png"; }

    int dpi = 0;
    std::string exe;
};

TEST_F(DpiE2eTest, StripShowsPathAndButtonsAndTheFullWindowComesBack) {
    SIZE full{};
    {
        auto kelvo = Start();
        HWND window = kelvo->Window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(DpiOf(window), dpi);
        RECT fullRect;
        GetWindowRect(window, &fullRect);
        full = SizeOf(window);
        ExpectInsideClientArea(window, {IDC_PATH, IDOK, IDCANCEL, IDC_STATUS});
        Sleep(500);  // lets the window finish painting
        EXPECT_TRUE(SaveScreenshotOf(Picture("full"), ClientOnScreen(window)));

        kelvo->Click(IDC_ALWAYS_ON_TOP);
        ExpectStrip(window);
        RECT strip;
        GetWindowRect(window, &strip);
        EXPECT_EQ(strip.left, fullRect.left);
        EXPECT_EQ(strip.top, fullRect.top);
        EXPECT_EQ(strip.right, fullRect.right);
        Sleep(500);
        EXPECT_TRUE(SaveScreenshotOf(Picture("strip"), ClientOnScreen(window)));

        kelvo->Click(IDC_ALWAYS_ON_TOP);
        EXPECT_EQ(SizeOf(window).cx, full.cx);
        EXPECT_EQ(SizeOf(window).cy, full.cy);
        // Ticked at exit, so the next start opens in the strip.
        kelvo->Click(IDC_ALWAYS_ON_TOP);
        ASSERT_TRUE(kelvo->CloseWith(WM_COMMAND, IDCANCEL, kTimeoutMs));
    }
    auto again = Start();
    HWND window = again->Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(again->Check(IDC_ALWAYS_ON_TOP), BST_CHECKED);
    ExpectStrip(window);
    again->Click(IDC_ALWAYS_ON_TOP);
    EXPECT_EQ(SizeOf(window).cx, full.cx);
    EXPECT_EQ(SizeOf(window).cy, full.cy);
}

TEST_F(DpiE2eTest, AboutBoxAndItsMessageBoxTakeTheOwnersScaling) {
    auto kelvo = Start();
    HWND window = kelvo->Window();
    ASSERT_NE(window, nullptr);
    kelvo->Post(WM_SYSCOMMAND, 0x0010, 0);  // the system menu's About item
    HWND about = WaitForOwnedDialog(kAboutCaption, window);
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(DpiOf(about), DpiOf(window));
    ExpectInsideClientArea(about, {IDOK});

    // F1 as the system delivers it, sent: the error box is modal, so from a thread of its own.
    std::thread f1([about] {
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = about;
        SendMessageW(about, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    });
    HWND error = WaitForOwnedDialog("エラー", about);
    if (error != nullptr) {
        EXPECT_EQ(DpiOf(error), DpiOf(window));
        ExpectInsideClientArea(error, {IDOK});
        PostMessageW(error, WM_COMMAND, IDOK, 0);
    }
    f1.join();
    EXPECT_NE(error, nullptr) << "no message box for the missing help document";
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([about] { return IsWindow(about) == FALSE; }, kTimeoutMs));
}

TEST_F(DpiE2eTest, TimeAdjustDialogTakesTheOwnersScalingWithEveryControlInSight) {
    auto kelvo = Start();
    HWND window = kelvo->Window();
    ASSERT_NE(window, nullptr);
    kelvo->Post(WM_SYSCOMMAND, 0x0050, 0);  // the system menu's time adjust
    HWND adjust = WaitForOwnedDialog("日時の調整", window);
    ASSERT_NE(adjust, nullptr) << "no time adjust dialog";
    EXPECT_EQ(DpiOf(adjust), DpiOf(window));
    ExpectInsideClientArea(adjust, {IDC_ADJUST_TARGET, IDC_ADJUST_CREATION, IDC_ADJUST_MODIFIED, IDC_ADJUST_ACCESS,
                                    IDC_ADJUST_SIGN, IDC_ADJUST_DAYS, IDC_ADJUST_SECONDS_SPIN, IDC_ADJUST_FOLDERS,
                                    IDOK, IDC_ADJUST_PREVIEW, IDCANCEL});
    PostMessageW(adjust, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([adjust] { return IsWindow(adjust) == FALSE; }, kTimeoutMs));
}

}  // namespace
}  // namespace kelvo::e2e
