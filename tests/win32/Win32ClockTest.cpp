// Win32Clock: local wall-clock fields and UTC seconds in both directions,
// written out for Berlin and a zone's offset apart elsewhere, and the
// carrying of out-of-range fields.
#include "platform/win32/Win32Clock.h"
#include "tests/win32/CalendarFieldsOf.h"
#include "tests/win32/TestZone.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <ctime>

namespace kelvo {
namespace {

CalendarFields Fields(int year, int month, int day, int hour, int minute, int second) {
    return CalendarFieldsOf(year, month, day, hour, minute, second);
}

void ExpectFields(const CalendarFields& expected, const CalendarFields& actual) {
    EXPECT_EQ(expected.year, actual.year);
    EXPECT_EQ(expected.month, actual.month);
    EXPECT_EQ(expected.day, actual.day);
    EXPECT_EQ(expected.hour, actual.hour);
    EXPECT_EQ(expected.minute, actual.minute);
    EXPECT_EQ(expected.second, actual.second);
}

TEST(Win32ClockTest, NowIsTheSystemTime) {
    Win32Clock clock;
    int64_t before = static_cast<int64_t>(_time64(nullptr));
    int64_t now = clock.Now();
    int64_t after = static_cast<int64_t>(_time64(nullptr));
    EXPECT_LE(before, now);
    EXPECT_GE(after, now);
}

// Moments in winter, when Berlin is an hour ahead of UTC, from the first
// second of 1970 to the last one 32-bit seconds hold.
struct Moment {
    int64_t utc;
    CalendarFields berlin;
};

TEST(Win32ClockTest, UtcRoundTripsThroughLocalFields) {
    const Moment moments[] = {
        {0, Fields(1970, 1, 1, 1, 0, 0)},
        {315532800, Fields(1980, 1, 1, 1, 0, 0)},
        {1069678254, Fields(2003, 11, 24, 13, 50, 54)},
        {1700000000, Fields(2023, 11, 14, 23, 13, 20)},
        {2147483647, Fields(2038, 1, 19, 4, 14, 7)},
    };
    Win32Clock clock;
    for (const Moment& moment : moments) {
        CalendarFields local;
        ASSERT_TRUE(clock.UtcToLocal(moment.utc, local)) << moment.utc;
        if (InTestZone("Europe/Berlin")) {
            ExpectFields(moment.berlin, local);
        } else {
            ExpectAZoneApart(local, moment.utc);
        }
        int64_t back = 0;
        ASSERT_TRUE(clock.LocalToUtc(local, back)) << moment.utc;
        EXPECT_EQ(moment.utc, back);
    }
}

TEST(Win32ClockTest, LocalFieldsRoundTripThroughUtc) {
    const Moment moments[] = {
        {315529200, Fields(1980, 1, 1, 0, 0, 0)},
        {1069674654, Fields(2003, 11, 24, 12, 50, 54)},
        {1709247599, Fields(2024, 2, 29, 23, 59, 59)},
        {2147425200, Fields(2038, 1, 18, 12, 0, 0)},
    };
    Win32Clock clock;
    for (const Moment& moment : moments) {
        int64_t utc = 0;
        ASSERT_TRUE(clock.LocalToUtc(moment.berlin, utc));
        if (InTestZone("Europe/Berlin")) {
            EXPECT_EQ(moment.utc, utc);
        } else {
            ExpectAZoneApart(moment.berlin, utc);
        }
        CalendarFields back;
        ASSERT_TRUE(clock.UtcToLocal(utc, back));
        ExpectFields(moment.berlin, back);
    }
}

TEST(Win32ClockTest, UtcToLocalMatchesTheSystemZoneAtThatDate) {
    Win32Clock clock;
    const int64_t utc = 1069678254;  // 2003-11-24 12:50:54 UTC
    SYSTEMTIME utcFields = {2003, 11, 1, 24, 12, 50, 54, 0};
    SYSTEMTIME expected;
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utcFields, &expected));
    CalendarFields local;
    ASSERT_TRUE(clock.UtcToLocal(utc, local));
    ExpectFields(Fields(expected.wYear, expected.wMonth, expected.wDay, expected.wHour, expected.wMinute,
                        expected.wSecond),
                 local);
}

struct CarryCase {
    const char* name;
    CalendarFields given;
    CalendarFields meant;
};

class Win32ClockCarryTest : public ::testing::TestWithParam<CarryCase> {};

TEST_P(Win32ClockCarryTest, OutOfRangeFieldsCarry) {
    Win32Clock clock;
    int64_t given = 0;
    int64_t meant = 0;
    ASSERT_TRUE(clock.LocalToUtc(GetParam().given, given));
    ASSERT_TRUE(clock.LocalToUtc(GetParam().meant, meant));
    EXPECT_EQ(meant, given);
    CalendarFields back;
    ASSERT_TRUE(clock.UtcToLocal(given, back));
    ExpectFields(GetParam().meant, back);
}

INSTANTIATE_TEST_SUITE_P(
    Carries, Win32ClockCarryTest,
    ::testing::Values(
        CarryCase{"April31IsMay1", Fields(2023, 4, 31, 10, 20, 30), Fields(2023, 5, 1, 10, 20, 30)},
        CarryCase{"April30Stays", Fields(2023, 4, 30, 10, 20, 30), Fields(2023, 4, 30, 10, 20, 30)},
        CarryCase{"February29InCommonYear", Fields(2023, 2, 29, 0, 0, 0), Fields(2023, 3, 1, 0, 0, 0)},
        CarryCase{"February29InLeapYear", Fields(2024, 2, 29, 0, 0, 0), Fields(2024, 2, 29, 0, 0, 0)},
        CarryCase{"Second60", Fields(2010, 6, 15, 8, 59, 60), Fields(2010, 6, 15, 9, 0, 0)},
        CarryCase{"Minute60", Fields(2010, 6, 15, 8, 60, 0), Fields(2010, 6, 15, 9, 0, 0)},
        CarryCase{"Hour24", Fields(2010, 12, 31, 24, 0, 0), Fields(2011, 1, 1, 0, 0, 0)},
        CarryCase{"Month13", Fields(2010, 13, 5, 1, 2, 3), Fields(2011, 1, 5, 1, 2, 3)},
        CarryCase{"Day0", Fields(2010, 3, 0, 12, 0, 0), Fields(2010, 2, 28, 12, 0, 0)},
        CarryCase{"Month0", Fields(2010, 0, 10, 12, 0, 0), Fields(2009, 12, 10, 12, 0, 0)},
        CarryCase{"NegativeSecond", Fields(2010, 1, 1, 0, 0, -1), Fields(2009, 12, 31, 23, 59, 59)}),
    [](const ::testing::TestParamInfo<CarryCase>& info) { return std::string(info.param.name); });

TEST(Win32ClockTest, YearsOutsideTheSystemRangeFail) {
    Win32Clock clock;
    int64_t utc = 0;
    EXPECT_FALSE(clock.LocalToUtc(Fields(1600, 12, 31, 0, 0, 0), utc));
    EXPECT_FALSE(clock.LocalToUtc(Fields(30828, 1, 2, 0, 0, 0), utc));
    CalendarFields local;
    EXPECT_FALSE(clock.UtcToLocal(-11644473601LL, local));
    EXPECT_FALSE(clock.UtcToLocal(910670515200LL, local));
}

}  // namespace
}  // namespace kelvo
