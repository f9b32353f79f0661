// The real main window under Wine: its styles and place on the screen, the
// start states of its controls, and the window as the screen shows it.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

class MainWindowE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
        target = MakeFolder("window-target");
        kelvo = std::make_unique<KelvoProcess>(target);
        ASSERT_NE(kelvo->Window(), nullptr) << "no window with the caption Kelvo";
    }

    std::string target;
    std::unique_ptr<KelvoProcess> kelvo;
};

TEST_F(MainWindowE2eTest, WindowStylesCaptionAndCentredPlace) {
    HWND window = kelvo->Window();
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD extended = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(extended & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(extended & WS_EX_APPWINDOW);
    EXPECT_FALSE(extended & WS_EX_TOPMOST);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    EXPECT_NEAR(rect.left, (work.left + work.right) / 2 - width / 2, 1);
    EXPECT_NEAR(rect.top, (work.top + work.bottom) / 2 - height / 2, 1);
}

TEST_F(MainWindowE2eTest, StartStatesOfTheControls) {
    EXPECT_EQ(kelvo->Text(1004), target);
    for (int box : {1000, 1001, 1002, 1003}) EXPECT_EQ(kelvo->Check(box), BST_INDETERMINATE) << box;
    for (int box : {1069, 1071, 1007, 1030, 1034, 1052, 1077}) EXPECT_EQ(kelvo->Check(box), BST_UNCHECKED) << box;
    EXPECT_EQ(kelvo->Style(1004) & ES_READONLY, 0);
    // Date rows off: edits read-only but enabled, spins disabled, all filled.
    for (int edit : {1011, 1012, 1015, 1017, 1019, 1021, 1035, 1053}) {
        EXPECT_NE(kelvo->Style(edit) & ES_READONLY, 0) << edit;
        EXPECT_TRUE(IsWindowEnabled(kelvo->Control(edit))) << edit;
        EXPECT_FALSE(kelvo->Text(edit).empty()) << edit;
    }
    for (int spin : {1013, 1014, 1020, 1016, 1018, 1022}) EXPECT_FALSE(IsWindowEnabled(kelvo->Control(spin))) << spin;
}

TEST_F(MainWindowE2eTest, ProgramFolderBoxLocksThePathAndGivesItBack) {
    kelvo->SetText(1004, "Z:\\typed");
    kelvo->Click(1007);
    const std::string exe = ExePath();
    EXPECT_EQ(kelvo->Text(1004), exe.substr(0, exe.rfind('\\') + 1));
    EXPECT_NE(kelvo->Style(1004) & ES_READONLY, 0);
    kelvo->Click(1007);
    EXPECT_EQ(kelvo->Text(1004), "Z:\\typed");
    EXPECT_EQ(kelvo->Style(1004) & ES_READONLY, 0);
}

// The colours of a rectangle of the screen, row by row.
std::vector<COLORREF> ScreenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool Dark(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 96; }

// What the screenshot shows, checked on the screen itself: the dialog's
// face between the controls and the status area's text drawn dark on it.
TEST_F(MainWindowE2eTest, ScreenShowsTheDrawnWindowAsTheScreenshotKeepsIt) {
    // Lets the window finish painting before the screen is read.
    Sleep(500);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    POINT clientOrigin = {0, 0};
    ClientToScreen(kelvo->Window(), &clientOrigin);
    RECT group;
    GetWindowRect(kelvo->Control(1008), &group);
    // Left of the attribute group, where the window holds no control.
    const LONG gapX = (clientOrigin.x + group.left) / 2;
    const LONG gapY = (group.top + group.bottom) / 2;
    const std::vector<COLORREF> gap = ScreenPixels(RECT{gapX, gapY, gapX + 1, gapY + 1});
    ASSERT_EQ(gap.size(), 1u);
    EXPECT_EQ(gap[0], face);

    RECT status;
    GetWindowRect(kelvo->Control(1010), &status);
    InflateRect(&status, -2, -2);  // inside the sunken frame
    const std::vector<COLORREF> pixels = ScreenPixels(status);
    ASSERT_FALSE(pixels.empty());
    const size_t dark = std::count_if(pixels.begin(), pixels.end(), Dark);
    const size_t background = std::count(pixels.begin(), pixels.end(), face);
    // Its few lines of text leave most of the area as background.
    EXPECT_GT(dark, 100u);
    EXPECT_GT(background, pixels.size() / 2);

    EXPECT_TRUE(SaveScreenshot("e2e-main-window.png"));
}

}  // namespace
}  // namespace kelvo::e2e
