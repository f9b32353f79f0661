// The window at a display scaling: the strip's height at each DPI, and the
// full window carried over when the window comes to a monitor with another
// scaling, in either view, so that unticking always-on-top gives it back.
#include "tests/unit/MainDialogTestFixture.h"

#include <tuple>

namespace kelvo {
namespace {

std::tuple<int, int, int, int> Edges(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

struct StripCase {
    int dpi;
    int height;
};

class CompactHeightTest : public ::testing::TestWithParam<StripCase> {};

// 110 pixels at 96 DPI, in proportion elsewhere; halves round up as MulDiv's do.
TEST_P(CompactHeightTest, ScalesWithTheDpi) { EXPECT_EQ(CompactHeight(GetParam().dpi), GetParam().height); }

INSTANTIATE_TEST_SUITE_P(Dpis, CompactHeightTest,
                         ::testing::Values(StripCase{72, 83}, StripCase{96, 110}, StripCase{120, 138},
                                           StripCase{144, 165}, StripCase{168, 193}, StripCase{192, 220},
                                           StripCase{288, 330}),
                         [](const ::testing::TestParamInfo<StripCase>& info) {
                             return std::to_string(info.param.dpi) + "Dpi";
                         });

TEST_F(MainDialogTest, TheStripTakesTheHeightOfTheWindowsScaling) {
    window.SetDpi(144);
    window.SetWindowRect(Rect{0, 0, 540, 810});
    Open();
    window.Click(IDC_ALWAYS_ON_TOP);
    EXPECT_EQ(Edges(window.WindowRect()), Edges(Rect{0, 0, 540, 165}));
    window.Click(IDC_ALWAYS_ON_TOP);
    EXPECT_EQ(Edges(window.WindowRect()), Edges(Rect{0, 0, 540, 810}));
}

struct DpiChangeCase {
    const char* name;
    int oldDpi;
    Rect full;  // the window at oldDpi, as it opens
    bool strip;  // always-on-top ticked before the change
    int newDpi;
    Rect suggested;  // what the system suggests at newDpi
    Rect shown;      // the window right after the change
    Rect unticked;   // the window after always-on-top is switched off
};

class DpiChangeTest : public MainDialogTest, public ::testing::WithParamInterface<DpiChangeCase> {
protected:
    Reply ChangeDpi(int dpi, Rect suggested) {
        window.SetDpi(dpi);
        Message m;
        m.message = kWmDpiChanged;
        m.wParam = static_cast<std::uintptr_t>(dpi) | (static_cast<std::uintptr_t>(dpi) << 16);
        m.lParam = reinterpret_cast<std::intptr_t>(&suggested);
        return dialog->HandleMessage(m);
    }
};

TEST_P(DpiChangeTest, TheFullWindowComesBackAtTheNewScaling) {
    const DpiChangeCase& c = GetParam();
    window.SetDpi(c.oldDpi);
    window.SetWindowRect(c.full);
    Open();
    if (c.strip) window.Click(IDC_ALWAYS_ON_TOP);

    // Left to the platform as well, which rescales the controls and their font.
    EXPECT_FALSE(ChangeDpi(c.newDpi, c.suggested).handled);
    EXPECT_EQ(Edges(window.WindowRect()), Edges(c.shown));
    EXPECT_EQ(window.Topmost(), c.strip);
    EXPECT_EQ(dialog->FullView(), c.strip ? 0 : 1);

    if (!c.strip) window.Click(IDC_ALWAYS_ON_TOP);
    window.Click(IDC_ALWAYS_ON_TOP);
    EXPECT_EQ(Edges(window.WindowRect()), Edges(c.unticked));
    EXPECT_FALSE(window.Topmost());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DpiChangeTest,
    ::testing::Values(
        // With its full size on screen the window takes the suggestion as it is.
        DpiChangeCase{"FullViewTo144", 96, {10, 20, 370, 560}, false, 144, {100, 50, 640, 860}, {100, 50, 640, 860},
                      {100, 50, 640, 860}},
        // The strip is 165 high at 144 DPI whatever the suggestion; the full
        // window is 540 * 1.5 high there.
        DpiChangeCase{"StripTo144", 96, {10, 20, 370, 560}, true, 144, {100, 50, 640, 216}, {100, 50, 640, 215},
                      {100, 50, 640, 860}},
        DpiChangeCase{"StripBackTo96", 144, {0, 0, 540, 810}, true, 96, {30, 40, 390, 150}, {30, 40, 390, 150},
                      {30, 40, 390, 580}},
        // 541 * 120 / 96 = 676.25; the strip: 137.5 rounds up to 138.
        DpiChangeCase{"StripTo120RoundsToTheNearest", 96, {0, 0, 360, 541}, true, 120, {5, 5, 455, 142},
                      {5, 5, 455, 143}, {5, 5, 455, 681}}),
    [](const ::testing::TestParamInfo<DpiChangeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kelvo
