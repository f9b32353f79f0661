// The latest of a stream of texts, handed from the thread that makes them
// to the window's thread at a bounded rate. The maker never waits for the
// window: it stores the text and, when nothing is on its way yet, wakes
// the window's thread once. That thread shows the latest text at most once
// per interval, so texts that a later one replaces before they would be
// seen are skipped; the last text is always shown, and texts are shown in
// the order they were made.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>

namespace kelvo {

class PacedText {
public:
    enum class Due { Show, Wait, Nothing };

    explicit PacedText(uint32_t intervalMs) : intervalMs_(intervalMs) {}

    // Any thread: `text` becomes the latest. True when the caller has to
    // wake the window's thread; false while a wake-up is on its way.
    bool Offer(const std::string& text);

    // The window's thread, woken or at the end of a wait, `nowMs` being a
    // millisecond clock that may wrap. Show: `text` is the latest, to be
    // shown now. Wait: come back after `waitMs`. Nothing: the latest is
    // already shown; the next Offer wakes the thread again.
    Due Poll(uint32_t nowMs, std::string& text, uint32_t& waitMs);

    // The window's thread: the latest text at once, whatever the interval,
    // or false when it is already shown. A wake-up still on its way then
    // finds nothing to show.
    bool TakeNow(uint32_t nowMs, std::string& text);

private:
    void TakeLocked(uint32_t nowMs, std::string& text);

    const uint32_t intervalMs_;
    std::mutex mutex_;
    std::string latest_;
    uint64_t latestNumber_ = 0;  // counts the texts offered
    uint64_t shownNumber_ = 0;   // the latest number the window has shown
    bool wakeOnItsWay_ = false;
    bool everShown_ = false;
    uint32_t lastShownMs_ = 0;
};

}  // namespace kelvo
