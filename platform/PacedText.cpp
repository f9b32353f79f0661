#include "platform/PacedText.h"

namespace kelvo {

bool PacedText::Offer(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    latest_ = text;
    ++latestNumber_;
    if (wakeOnItsWay_) return false;
    wakeOnItsWay_ = true;
    return true;
}

PacedText::Due PacedText::Poll(uint32_t nowMs, std::string& text, uint32_t& waitMs) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (shownNumber_ == latestNumber_) {
        wakeOnItsWay_ = false;
        return Due::Nothing;
    }
    // Unsigned difference: right across a wrap of the clock.
    const uint32_t sinceShown = nowMs - lastShownMs_;
    if (everShown_ && sinceShown < intervalMs_) {
        waitMs = intervalMs_ - sinceShown;
        return Due::Wait;
    }
    wakeOnItsWay_ = false;
    TakeLocked(nowMs, text);
    return Due::Show;
}

bool PacedText::TakeNow(uint32_t nowMs, std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (shownNumber_ == latestNumber_) return false;
    TakeLocked(nowMs, text);
    return true;
}

void PacedText::TakeLocked(uint32_t nowMs, std::string& text) {
    text = latest_;
    shownNumber_ = latestNumber_;
    lastShownMs_ = nowMs;
    everShown_ = true;
}

}  // namespace kelvo
