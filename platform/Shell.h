// Window-level operations of the main window beyond its controls: icons,
// the system menu, tool tips, the notification icon, dropped files, the
// About box and the program's other dialogs, and the end of the modal
// run. Handles are opaque integers so
// the dialog's logic stays free of the platform's headers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/DialogLogic.h"

namespace kelvo {

using IconHandle = std::uintptr_t;
using DropHandle = std::uintptr_t;

// An item of the system menu: its command id and text; id 0 is a separator.
struct SystemMenuItem {
    unsigned id;
    std::string text;
};

class Shell {
public:
    virtual ~Shell() = default;

    // Icon resource 128 of the program's own module.
    virtual IconHandle LoadAppIcon() = 0;
    // Greys restore, size and maximise and appends a separator and the About
    // item (the text of string 101, when it isn't empty). Nothing without a system menu.
    virtual void AddAboutItemToSystemMenu() = 0;
    // Appends items of the program's own to the system menu (before the About
    // item when called first). Nothing without a system menu.
    virtual void AddSystemMenuItems(const std::vector<SystemMenuItem>& items) = 0;
    // Greys a system menu item, or makes it usable again.
    virtual void EnableSystemMenuItem(unsigned id, bool enabled) = 0;
    // WM_SETICON, big then small.
    virtual void SetWindowIcons(IconHandle icon) = 0;
    // Switches tips on for every child control; texts are asked for later.
    virtual void EnableToolTips() = 0;
    // Answers a tip-text request (the notification's own parameter).
    virtual void SetTipText(std::intptr_t request, const std::string& text) = 0;

    // Shell_NotifyIconA; results are not examined.
    virtual void AddTrayIcon(unsigned id, IconHandle icon, unsigned callbackMessage, const std::string& tip) = 0;
    virtual void RemoveTrayIcon(unsigned id) = 0;

    // Paints the icon centred while the window is minimised; false when it
    // isn't, so the platform paints as usual.
    virtual bool PaintIconIfMinimised(IconHandle icon) = 0;

    // The full path of the first dropped item (at most 499 bytes), then the
    // drop's handle is released. False, with `path` empty, when the path has
    // no exact code page 932 form.
    virtual bool TakeFirstDroppedPath(DropHandle drop, std::string& path) = 0;
    // Releases a drop's handle without reading it.
    virtual void ReleaseDrop(DropHandle drop) = 0;

    // Runs the About box modally, owned by the main window.
    virtual void ShowAboutBox() = 0;
    // Runs the dialog of `templateId` modally, owned by the main window,
    // with `logic`; the result the logic ended it with.
    virtual int RunDialog(int templateId, DialogLogic& logic) = 0;
    // Ends the modal run with a result.
    virtual void EndDialog(int result) = 0;
};

}  // namespace kelvo
