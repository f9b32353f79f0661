// The main window's shell operations on Win32: icons, the system menu, tool
// tips, the notification icon, dropped files and the end of the modal run.
// Texts cross to the system through the wide calls, converted from code
// page 932 explicitly.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/Shell.h"

namespace kelvo {

class Win32Shell : public Shell {
public:
    void Attach(HWND dialog) { dialog_ = dialog; }
    // What ShowAboutBox runs: the About box lives with the program, not here.
    void SetAboutBox(std::function<void()> aboutBox) { aboutBox_ = std::move(aboutBox); }
    // What RunDialog runs, for the same reason.
    using DialogRunner = std::function<int(int templateId, DialogLogic& logic)>;
    void SetDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }

    IconHandle LoadAppIcon() override;
    void AddAboutItemToSystemMenu() override;
    void AddSystemMenuItems(const std::vector<SystemMenuItem>& items) override;
    void EnableSystemMenuItem(unsigned id, bool enabled) override;
    void SetWindowIcons(IconHandle icon) override;
    // Every child is a tool by its window; the controls that can show a
    // tip are tools by their place in the dialog too, because a disabled
    // control gets no mouse messages: its parent gets them instead.
    void EnableToolTips() override;
    void SetTipText(std::intptr_t request, const std::string& text) override;
    void AddTrayIcon(unsigned id, IconHandle icon, unsigned callbackMessage, const std::string& tip) override;
    void RemoveTrayIcon(unsigned id) override;
    bool PaintIconIfMinimised(IconHandle icon) override;
    bool TakeFirstDroppedPath(DropHandle drop, std::string& path) override;
    void ReleaseDrop(DropHandle drop) override;
    void ShowAboutBox() override;
    int RunDialog(int templateId, DialogLogic& logic) override;
    void EndDialog(int result) override;

    // The control a tip-text request (TTN_NEEDTEXTW) is for: the tool's id,
    // or the control behind it when the tool is named by its window.
    static int TipControlId(const NMHDR& header);
    // The dialog's own mouse messages, which it gets over disabled controls,
    // handed to the tip window after the places of the controls are brought
    // up to date.
    void RelayMouseToTips(UINT message, WPARAM wParam, LPARAM lParam);

    // The longest dropped path in code page 932 bytes (a 500-byte buffer
    // with its terminator).
    static constexpr size_t kDropPathBytes = 499;

private:
    void AddTool(HWND child);

    HWND dialog_ = nullptr;
    HWND toolTip_ = nullptr;
    std::vector<HWND> placedControls_;
    std::function<void()> aboutBox_;
    DialogRunner dialogRunner_;
};

}  // namespace kelvo
