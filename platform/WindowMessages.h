// Window message numbers, notification codes and command ids of the
// platform, as plain constants, so the dialog's message table can be built
// and tested without the platform's headers.
#pragma once

namespace kelvo {

// Window messages.
enum : unsigned {
    kWmDestroy = 0x0002,
    kWmPaint = 0x000F,
    kWmClose = 0x0010,
    kWmQueryDragIcon = 0x0037,
    kWmNotify = 0x004E,
    kWmHelp = 0x0053,
    kWmInitDialog = 0x0110,
    kWmCommand = 0x0111,
    kWmSysCommand = 0x0112,
    kWmInitMenuPopup = 0x0117,
    kWmLButtonDown = 0x0201,
    kWmLButtonUp = 0x0202,
    kWmLButtonDblClk = 0x0203,
    kWmRButtonDown = 0x0204,
    kWmDropFiles = 0x0233,
    kWmDpiChanged = 0x02E0,
    kWmUser = 0x0400,
    kWmTrayIcon = kWmUser + 500,
};

// Notification codes of WM_COMMAND and WM_NOTIFY.
enum : int {
    kBnClicked = 0,
    kCbnSelChange = 1,
    kEnUpdate = 0x0400,
    kTtnNeedTextW = -530,
};

// Command ids of the OK and Cancel commands, the dialog results, and the
// system menu's own items: About, and those of the change records.
enum : int {
    kIdOk = 1,
    kIdCancel = 2,
    kAboutCommand = 0x0010,
    kUndoCommand = 0x0020,
    kOpenRecordsCommand = 0x0030,
    kPreviewCommand = 0x0040,
    kTimeAdjustCommand = 0x0050,
};

}  // namespace kelvo
