// The paced status text: the maker wakes the window's thread only once per
// batch of texts, the window shows the latest text at most once per
// interval, always ends on the latest, never goes back to an older one, and
// shows a text taken at once without waiting.
#include "platform/PacedText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace kelvo {
namespace {

constexpr uint32_t kInterval = 50;

TEST(PacedTextTest, OnlyTheFirstTextOfABatchWakesTheWindow) {
    PacedText paced(kInterval);
    EXPECT_TRUE(paced.Offer("one"));
    EXPECT_FALSE(paced.Offer("two"));
    EXPECT_FALSE(paced.Offer("three"));
}

TEST(PacedTextTest, AWakeShowsTheLatestTextAndSkipsTheOnesItReplaced) {
    PacedText paced(kInterval);
    paced.Offer("one");
    paced.Offer("two");
    std::string text;
    uint32_t wait = 0;
    ASSERT_EQ(paced.Poll(1000, text, wait), PacedText::Due::Show);
    EXPECT_EQ(text, "two");
    // Shown: nothing more to do, and the next text wakes the window again.
    EXPECT_EQ(paced.Poll(1001, text, wait), PacedText::Due::Nothing);
    EXPECT_TRUE(paced.Offer("three"));
}

TEST(PacedTextTest, WithinTheIntervalTheWindowWaitsForTheRestOfIt) {
    PacedText paced(kInterval);
    std::string text;
    uint32_t wait = 0;
    paced.Offer("one");
    ASSERT_EQ(paced.Poll(1000, text, wait), PacedText::Due::Show);
    paced.Offer("two");
    ASSERT_EQ(paced.Poll(1000 + kInterval - 20, text, wait), PacedText::Due::Wait);
    EXPECT_EQ(wait, 20u);
    // The wait is still on its way: further texts don't wake again.
    EXPECT_FALSE(paced.Offer("three"));
    ASSERT_EQ(paced.Poll(1000 + kInterval - 1, text, wait), PacedText::Due::Wait);
    EXPECT_EQ(wait, 1u);
    ASSERT_EQ(paced.Poll(1000 + kInterval, text, wait), PacedText::Due::Show);
    EXPECT_EQ(text, "three");
}

TEST(PacedTextTest, TheIntervalHoldsAcrossAWrapOfTheClock) {
    PacedText paced(kInterval);
    std::string text;
    uint32_t wait = 0;
    paced.Offer("one");
    ASSERT_EQ(paced.Poll(UINT32_MAX - 9, text, wait), PacedText::Due::Show);
    paced.Offer("two");
    ASSERT_EQ(paced.Poll(10, text, wait), PacedText::Due::Wait);  // 20 ms later
    EXPECT_EQ(wait, kInterval - 20);
    ASSERT_EQ(paced.Poll(kInterval - 10, text, wait), PacedText::Due::Show);
    EXPECT_EQ(text, "two");
}

TEST(PacedTextTest, TakeNowShowsTheLatestAtOnceAndAWakeOnItsWayFindsNothing) {
    PacedText paced(kInterval);
    std::string text;
    uint32_t wait = 0;
    paced.Offer("progress");
    ASSERT_EQ(paced.Poll(1000, text, wait), PacedText::Due::Show);
    paced.Offer("more progress");
    paced.Offer("finished");
    ASSERT_TRUE(paced.TakeNow(1001, text));
    EXPECT_EQ(text, "finished");
    EXPECT_FALSE(paced.TakeNow(1002, text));
    // The wake of "more progress" arrives late: it must not show anything,
    // least of all an older text over the final one.
    text.clear();
    EXPECT_EQ(paced.Poll(1000 + 2 * kInterval, text, wait), PacedText::Due::Nothing);
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(paced.Offer("next run"));
}

// A maker thread and the window's thread at full speed: every text shown
// is newer than the one before, and the wakes alone bring the window to the
// last text, without a final TakeNow.
TEST(PacedTextTest, UnderConcurrentUseTextsAreShownInOrderAndEndOnTheLatest) {
    constexpr int kTexts = 20000;
    PacedText paced(0);
    std::atomic<int> wakes{0};
    std::atomic<bool> done{false};
    std::thread maker([&] {
        for (int i = 1; i <= kTexts; ++i) {
            if (paced.Offer(std::to_string(i))) wakes.fetch_add(1);
        }
        done.store(true);
    });
    std::vector<int> shown;
    uint32_t now = 0;
    auto showDue = [&] {
        std::string text;
        uint32_t wait = 0;
        if (paced.Poll(++now, text, wait) == PacedText::Due::Show) shown.push_back(std::stoi(text));
    };
    int handled = 0;
    while (!done.load() || handled < wakes.load()) {
        // One Poll per wake, as the window's thread handles its posted messages.
        if (handled < wakes.load()) {
            ++handled;
            showDue();
        }
    }
    maker.join();
    ASSERT_FALSE(shown.empty());
    for (size_t i = 1; i < shown.size(); ++i) ASSERT_LT(shown[i - 1], shown[i]) << i;
    EXPECT_EQ(shown.back(), kTexts);
}

}  // namespace
}  // namespace kelvo
