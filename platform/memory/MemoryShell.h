// An in-memory shell for tests: records every call in order as a line of
// text, keeps the lists of dropped paths by handle and the ended result.
#pragma once
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace kelvo {

class MemoryShell : public Shell {
public:
    inline static constexpr IconHandle kAppIcon = 128;

    // Makes a drop of several paths and returns its handle; with `exact`
    // false the first path stands for one the program has no form for.
    DropHandle AddDrop(const std::vector<std::string>& paths, bool exact = true);
    void SetMinimised(bool minimised) { minimised_ = minimised; }
    // What the user does in a dialog the program runs: given its template
    // and logic, returns the result it ends with. Without one every dialog
    // is closed at once (kIdCancel) after its OnInit.
    using DialogUser = std::function<int(int templateId, DialogLogic& logic)>;
    void SetDialogUser(DialogUser user) { dialogUser_ = std::move(user); }

    std::vector<std::string> Calls();
    bool Called(const std::string& call);
    std::vector<DropHandle> ReleasedDrops();
    int EndedWith() const { return endedWith_; }  // -1 while the dialog runs
    std::string LastTipText() const { return lastTipText_; }
    // The system menu's own items as added, and whether one is usable (true
    // until greyed).
    std::vector<SystemMenuItem> SystemMenuItems();
    bool SystemMenuItemEnabled(unsigned id);

    IconHandle LoadAppIcon() override;
    void AddAboutItemToSystemMenu() override;
    void AddSystemMenuItems(const std::vector<SystemMenuItem>& items) override;
    void EnableSystemMenuItem(unsigned id, bool enabled) override;
    void SetWindowIcons(IconHandle icon) override;
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

private:
    void Record(const std::string& call);

    std::mutex mutex_;
    std::vector<std::string> calls_;
    std::map<DropHandle, std::vector<std::string>> drops_;
    std::map<DropHandle, bool> dropExact_;
    std::vector<DropHandle> released_;
    DropHandle nextDrop_ = 1;
    bool minimised_ = false;
    int endedWith_ = -1;
    std::string lastTipText_;
    std::vector<SystemMenuItem> menuItems_;
    std::map<unsigned, bool> menuEnabled_;
    DialogUser dialogUser_;
};

}  // namespace kelvo
