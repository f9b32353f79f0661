#include "platform/memory/MemoryWindow.h"

#include <chrono>

namespace kelvo {

void MemoryWindow::MarkEdit(int id) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    edits_.insert(id);
}

void MemoryWindow::Click(int id, bool threeState) {
    std::function<void(int, int)> handler;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        Control& c = controls_[id];
        if (!c.enabled) return;
        c.check = threeState ? (c.check + 1) % 3 : (c.check == kChecked ? kUnchecked : kChecked);
        handler = onCommand_;
    }
    if (handler) handler(id, kBnClicked);
}

bool MemoryWindow::Type(int id, const std::string& text) {
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        Control& c = controls_[id];
        if (c.readOnly || !c.enabled) return false;
    }
    SetText(id, text);
    return true;
}

bool MemoryWindow::Choose(int id, int index) {
    std::function<void(int, int)> handler;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        Control& c = controls_[id];
        if (!c.enabled || index < 0 || index >= static_cast<int>(c.listItems.size())) return false;
        c.listChoice = index;
        handler = onCommand_;
    }
    if (handler) handler(id, kCbnSelChange);
    return true;
}

void MemoryWindow::SetListItems(int id, const std::vector<std::string>& items) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    controls_[id].listItems = items;
    controls_[id].listChoice = -1;
}

int MemoryWindow::GetListChoice(int id) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return controls_[id].listChoice;
}

// As the system's list, a choice set by the program sends no notification.
void MemoryWindow::SetListChoice(int id, int index) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Control& c = controls_[id];
    c.listChoice = index >= 0 && index < static_cast<int>(c.listItems.size()) ? index : -1;
}

void MemoryWindow::MarkPushButton(int id) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    pushButtons_.insert(id);
}

bool MemoryWindow::Focus(int id) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!controls_[id].enabled) return false;
    focus_ = id;
    return true;
}

bool MemoryWindow::Press(Key key) {
    std::function<void(int, int)> handler;
    int command = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        if (focus_ == 0) return false;
        if (key == Key::Escape) {
            command = kIdCancel;
        } else {
            command = pushButtons_.count(focus_) != 0 ? focus_ : kIdOk;
        }
        handler = onCommand_;
    }
    if (handler) handler(command, kBnClicked);
    return true;
}

int MemoryWindow::FocusedControl() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return focus_;
}

void MemoryWindow::MoveFocusTo(int id) { Focus(id); }

MemoryWindow::Control MemoryWindow::ControlState(int id) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return controls_[id];
}

std::vector<int> MemoryWindow::ControlIds() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::vector<int> ids;
    for (const auto& entry : controls_) ids.push_back(entry.first);
    return ids;
}

std::vector<MemoryWindow::MessageBoxCall> MemoryWindow::MessageBoxes() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return messageBoxes_;
}

int MemoryWindow::Beeps() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return beeps_;
}

Rect MemoryWindow::WindowRect() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return rect_;
}

bool MemoryWindow::Topmost() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return topmost_;
}

void MemoryWindow::SetWindowRect(const Rect& rect) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    rect_ = rect;
}

void MemoryWindow::SetDpi(int dpi) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    dpi_ = dpi;
}

int MemoryWindow::GetCheck(int id) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return controls_[id].check;
}

void MemoryWindow::SetCheck(int id, int state) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    controls_[id].check = state;
}

std::string MemoryWindow::GetText(int id) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return controls_[id].text;
}

void MemoryWindow::SetText(int id, const std::string& text) {
    // The lock is held through the notification, as the window's thread is
    // busy with the message until the dialog has handled EN_UPDATE.
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Control& c = controls_[id];
    bool changed = c.text != text;
    c.text = text;
    c.texts.push_back(text);
    if (changed && edits_.count(id) != 0 && onCommand_) onCommand_(id, kEnUpdate);
}

void MemoryWindow::SetReadOnly(int id, bool readOnly) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    controls_[id].readOnly = readOnly;
}

void MemoryWindow::Enable(int id, bool enabled) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Control& c = controls_[id];
    c.enabled = enabled;
    ++c.enableCalls;
    if (!enabled && focus_ == id) focus_ = 0;
}

void MemoryWindow::LimitText(int id, int maxChars) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    controls_[id].textLimit = maxChars;
}

void MemoryWindow::SetSpinRange(int id, int low, int high) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    controls_[id].spinLow = low;
    controls_[id].spinHigh = high;
}

int MemoryWindow::ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    messageBoxes_.push_back({text, caption, style});
    return messageBoxAnswer_;
}

void MemoryWindow::AnswerMessageBoxes(int answer) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    messageBoxAnswer_ = answer;
}

void MemoryWindow::Beep() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    ++beeps_;
}

Rect MemoryWindow::GetWindowRect() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return rect_;
}

void MemoryWindow::SetSizeAndZOrder(bool topmost, int width, int height) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    topmost_ = topmost;
    rect_.right = rect_.left + width;
    rect_.bottom = rect_.top + height;
}

int MemoryWindow::Dpi() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return dpi_;
}

void MemoryWindow::RunOnWindowThread(const std::function<void()>& work) {
    if (std::this_thread::get_id() == windowThread_) {
        work();
        return;
    }
    SentWork item{&work};
    std::unique_lock<std::mutex> lock(sentMutex_);
    sent_.push_back(&item);
    sentChanged_.notify_all();
    sentChanged_.wait(lock, [&item] { return item.done; });
}

int MemoryWindow::HandleSentWork() {
    std::vector<SentWork*> taken;
    {
        std::lock_guard<std::mutex> lock(sentMutex_);
        taken.swap(sent_);
    }
    // The work runs unlocked: it may call the window, and more may be sent meanwhile.
    for (SentWork* item : taken) {
        (*item->work)();
        std::lock_guard<std::mutex> lock(sentMutex_);
        item->done = true;
        sentChanged_.notify_all();
    }
    return static_cast<int>(taken.size());
}

bool MemoryWindow::WaitForSentWork(int timeoutMs) {
    std::unique_lock<std::mutex> lock(sentMutex_);
    return sentChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !sent_.empty(); });
}

}  // namespace kelvo
