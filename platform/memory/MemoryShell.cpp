#include "platform/memory/MemoryShell.h"

#include "platform/WindowMessages.h"
#include "platform/memory/MemoryWindow.h"

namespace kelvo {

DropHandle MemoryShell::AddDrop(const std::vector<std::string>& paths, bool exact) {
    std::lock_guard<std::mutex> lock(mutex_);
    DropHandle handle = nextDrop_++;
    drops_[handle] = paths;
    dropExact_[handle] = exact;
    return handle;
}

std::vector<std::string> MemoryShell::Calls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

bool MemoryShell::Called(const std::string& call) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const std::string& c : calls_) {
        if (c == call) return true;
    }
    return false;
}

std::vector<DropHandle> MemoryShell::ReleasedDrops() {
    std::lock_guard<std::mutex> lock(mutex_);
    return released_;
}

void MemoryShell::Record(const std::string& call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(call);
}

IconHandle MemoryShell::LoadAppIcon() {
    Record("LoadAppIcon");
    return kAppIcon;
}

void MemoryShell::AddAboutItemToSystemMenu() { Record("AddAboutItemToSystemMenu"); }

void MemoryShell::AddSystemMenuItems(const std::vector<SystemMenuItem>& items) {
    Record("AddSystemMenuItems " + std::to_string(items.size()));
    std::lock_guard<std::mutex> lock(mutex_);
    menuItems_.insert(menuItems_.end(), items.begin(), items.end());
}

void MemoryShell::EnableSystemMenuItem(unsigned id, bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    menuEnabled_[id] = enabled;
}

std::vector<SystemMenuItem> MemoryShell::SystemMenuItems() {
    std::lock_guard<std::mutex> lock(mutex_);
    return menuItems_;
}

bool MemoryShell::SystemMenuItemEnabled(unsigned id) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = menuEnabled_.find(id);
    return it == menuEnabled_.end() || it->second;
}

void MemoryShell::SetWindowIcons(IconHandle icon) { Record("SetWindowIcons " + std::to_string(icon)); }

void MemoryShell::EnableToolTips() { Record("EnableToolTips"); }

void MemoryShell::SetTipText(std::intptr_t request, const std::string& text) {
    Record("SetTipText " + std::to_string(request));
    lastTipText_ = text;
}

void MemoryShell::AddTrayIcon(unsigned id, IconHandle icon, unsigned callbackMessage, const std::string& tip) {
    Record("AddTrayIcon " + std::to_string(id) + " " + std::to_string(icon) + " " +
           std::to_string(callbackMessage) + " " + tip);
}

void MemoryShell::RemoveTrayIcon(unsigned id) { Record("RemoveTrayIcon " + std::to_string(id)); }

bool MemoryShell::PaintIconIfMinimised(IconHandle icon) {
    Record("PaintIconIfMinimised " + std::to_string(icon));
    return minimised_;
}

bool MemoryShell::TakeFirstDroppedPath(DropHandle drop, std::string& path) {
    Record("TakeFirstDroppedPath " + std::to_string(drop));
    std::lock_guard<std::mutex> lock(mutex_);
    released_.push_back(drop);
    path.clear();
    auto found = drops_.find(drop);
    if (found == drops_.end() || found->second.empty()) return true;
    if (!dropExact_[drop]) return false;
    path = found->second.front().substr(0, 499);
    return true;
}

void MemoryShell::ReleaseDrop(DropHandle drop) {
    Record("ReleaseDrop " + std::to_string(drop));
    std::lock_guard<std::mutex> lock(mutex_);
    released_.push_back(drop);
}

void MemoryShell::ShowAboutBox() { Record("ShowAboutBox"); }

int MemoryShell::RunDialog(int templateId, DialogLogic& logic) {
    Record("RunDialog " + std::to_string(templateId));
    if (dialogUser_) return dialogUser_(templateId, logic);
    MemoryWindow dialog;
    logic.OnInit(dialog);
    return kIdCancel;
}

void MemoryShell::EndDialog(int result) {
    Record("EndDialog " + std::to_string(result));
    std::lock_guard<std::mutex> lock(mutex_);
    endedWith_ = result;
}

}  // namespace kelvo
