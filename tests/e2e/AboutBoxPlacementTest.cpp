// Where the real About box opens: centred on the main window, and in the
// middle of the work area while the main window is minimised, whose
// rectangle is then parked off the screen.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr char kAboutCaption[] = "Kelvoのﾊﾞｰｼﾞｮﾝ情報";

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class AboutBoxPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
        kelvo = std::make_unique<KelvoProcess>(MakeFolder("about-target"));
        ASSERT_NE(kelvo->Window(), nullptr) << "no window with the caption Kelvo";
    }

    // Opens the box from the system menu's About item, as from the task
    // bar's menu of a minimised window, and returns its rectangle.
    RECT OpenAbout() {
        kelvo->Post(WM_SYSCOMMAND, 0x0010, 0);
        HWND found = nullptr;
        WaitFor(
            [&] {
                found = FindWindowW(L"#32770", Wide(kAboutCaption).c_str());
                return found != nullptr && GetWindow(found, GW_OWNER) == kelvo->Window() && IsWindowVisible(found);
            },
            kTimeoutMs);
        about = found;
        RECT r{};
        if (about != nullptr) GetWindowRect(about, &r);
        return r;
    }

    void CloseAbout() {
        if (about == nullptr) return;
        PostMessageW(about, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([this] { return IsWindow(about) == FALSE; }, kTimeoutMs));
        about = nullptr;
    }

    void TearDown() override { CloseAbout(); }

    // Wine passes over a minimise that comes while it is still showing the
    // window, so the command is given again until it holds, as a user would.
    bool Minimise() {
        for (int attempt = 0; attempt < 60; ++attempt) {
            kelvo->Post(WM_SYSCOMMAND, SC_MINIMIZE, 0);
            if (WaitFor([this] { return IsIconic(kelvo->Window()) != FALSE; }, 500)) return true;
        }
        return false;
    }

    std::unique_ptr<KelvoProcess> kelvo;
    HWND about = nullptr;
};

TEST_F(AboutBoxPlacementTest, CentredOnTheMainWindow) {
    RECT owner;
    GetWindowRect(kelvo->Window(), &owner);
    const RECT box = OpenAbout();
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_NEAR(Centre(box).x, Centre(owner).x, 1);
    EXPECT_NEAR(Centre(box).y, Centre(owner).y, 1);
}

TEST_F(AboutBoxPlacementTest, InTheMiddleOfTheWorkAreaWhileTheMainWindowIsMinimised) {
    ASSERT_TRUE(Minimise());
    const RECT box = OpenAbout();
    ASSERT_NE(about, nullptr) << "no About box";
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(Centre(box).x, Centre(work).x, 1);
    EXPECT_NEAR(Centre(box).y, Centre(work).y, 1);
}

}  // namespace
}  // namespace kelvo::e2e
