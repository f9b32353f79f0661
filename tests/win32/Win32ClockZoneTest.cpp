// Win32Clock in a zone with daylight saving: each date is converted with the
// offset in force on that date, not today's. ctest runs these with
// TZ=Europe/Berlin and KELVO_TEST_ZONE naming it; elsewhere they are skipped.
#include <gtest/gtest.h>

#include "platform/win32/Win32Clock.h"
#include "tests/win32/CalendarFieldsOf.h"
#include "tests/win32/TestZone.h"

namespace kelvo {
namespace {

class Win32ClockBerlinTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!InTestZone("Europe/Berlin")) GTEST_SKIP() << "needs TZ=Europe/Berlin";
    }

    int64_t ToUtc(int year, int month, int day, int hour, int minute, int second) {
        const CalendarFields fields = CalendarFieldsOf(year, month, day, hour, minute, second);
        int64_t utc = 0;
        EXPECT_TRUE(clock.LocalToUtc(fields, utc));
        return utc;
    }

    int LocalHourOf(int64_t utc) {
        CalendarFields local;
        EXPECT_TRUE(clock.UtcToLocal(utc, local));
        return local.hour;
    }

    Win32Clock clock;
};

constexpr int64_t kJuly1Noon2023Utc = 1688212800;     // 2023-07-01 12:00:00 UTC
constexpr int64_t kJanuary1Noon2023Utc = 1672574400;  // 2023-01-01 12:00:00 UTC

TEST_F(Win32ClockBerlinTest, SummerDatesUseSummerTime) {
    EXPECT_EQ(kJuly1Noon2023Utc, ToUtc(2023, 7, 1, 14, 0, 0));
    EXPECT_EQ(14, LocalHourOf(kJuly1Noon2023Utc));
}

TEST_F(Win32ClockBerlinTest, WinterDatesUseStandardTime) {
    EXPECT_EQ(kJanuary1Noon2023Utc, ToUtc(2023, 1, 1, 13, 0, 0));
    EXPECT_EQ(13, LocalHourOf(kJanuary1Noon2023Utc));
}

TEST_F(Win32ClockBerlinTest, CarriedDateTakesTheOffsetOfWhereItLands) {
    // Hour 36 of March 25 is noon of March 26, already in summer time.
    EXPECT_EQ(ToUtc(2023, 3, 26, 12, 0, 0), ToUtc(2023, 3, 25, 36, 0, 0));
    EXPECT_EQ(ToUtc(2023, 3, 25, 12, 0, 0) + 86400 - 3600, ToUtc(2023, 3, 25, 36, 0, 0));
}

TEST_F(Win32ClockBerlinTest, EitherSideOfTheChangeInMarch) {
    // 2023-03-26 01:00 UTC: 02:00 standard time became 03:00 summer time.
    const int64_t change = 1679792400;
    EXPECT_EQ(1, LocalHourOf(change - 1));
    EXPECT_EQ(3, LocalHourOf(change));
    EXPECT_EQ(change - 1, ToUtc(2023, 3, 26, 1, 59, 59));
    EXPECT_EQ(change, ToUtc(2023, 3, 26, 3, 0, 0));
}

}  // namespace
}  // namespace kelvo
