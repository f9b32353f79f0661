// Window, button, edit, static and up-down style bits (the platform's
// values), so the control table can state every control's style word
// without the platform's headers.
#pragma once
#include <cstdint>

namespace kelvo {

enum : uint32_t {
    kWsChild = 0x40000000,
    kWsVisible = 0x10000000,
    kWsBorder = 0x00800000,
    kWsGroup = 0x00020000,
    kWsTabStop = 0x00010000,

    kBsPushButton = 0x0,
    kBsDefPushButton = 0x1,
    kBsAutoCheckBox = 0x3,
    kBsAuto3State = 0x6,
    kBsGroupBox = 0x7,
    kBsLeft = 0x100,
    kBsCenter = 0x300,
    kBsBottom = 0x800,
    kBsPushLike = 0x1000,
    kBsFlat = 0x8000,

    kEsRight = 0x2,
    kEsAutoHScroll = 0x80,
    kEsNumber = 0x2000,

    kSsLeft = 0x0,
    kSsCenter = 0x1,
    kSsLeftNoWordWrap = 0xC,
    kSsSunken = 0x1000,

    kUdsWrap = 0x1,
    kUdsSetBuddyInt = 0x2,
    kUdsAlignRight = 0x4,
    kUdsAutoBuddy = 0x10,
    kUdsArrowKeys = 0x20,
    kUdsNoThousands = 0x80,
};

// Window styles and extended styles of the main window.
enum : uint32_t {
    kWsPopup = 0x80000000,
    kWsCaption = 0x00C00000,
    kWsSysMenu = 0x00080000,
    kWsMinimizeBox = 0x00020000,
    kDsModalFrame = 0x80,
    kDsSetFont = 0x40,
    kWsExAppWindow = 0x00040000,
    kWsExAcceptFiles = 0x00000010,
};

}  // namespace kelvo
