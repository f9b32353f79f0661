// The time zone a test program runs in when ctest names it: a run with TZ
// set also sets KELVO_TEST_ZONE to the same name, and the tests then expect
// the local times written out for that zone. Any other run knows only that
// a zone is a whole number of quarter hours within 14 hours of UTC.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Clock.h"

namespace kelvo {

inline bool InTestZone(const char* zone) {
    const char* named = std::getenv("KELVO_TEST_ZONE");
    return named != nullptr && std::string(named) == zone;
}

// Seconds since 1970 of a FILETIME count of 100 ns ticks since 1601, in
// which 1970 begins at tick 116444736000000000.
inline int64_t UnixSecondsOf(uint64_t ticks) {
    return (static_cast<int64_t>(ticks) - 116444736000000000LL) / 10000000;
}

// The fields (each in its range) read as if they were UTC: the days from
// 1970-01-01 counted year by year and month by month.
inline int64_t FieldsAsUtc(const CalendarFields& fields) {
    const auto leap = [](int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; };
    const int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int64_t days = 0;
    for (int year = 1970; year < fields.year; ++year) days += leap(year) ? 366 : 365;
    for (int year = fields.year; year < 1970; ++year) days -= leap(year) ? 366 : 365;
    for (int month = 1; month < fields.month; ++month) {
        days += monthDays[month - 1] + (month == 2 && leap(fields.year) ? 1 : 0);
    }
    days += fields.day - 1;
    return days * 86400 + fields.hour * 3600 + fields.minute * 60 + fields.second;
}

// Local fields and the UTC seconds of the same moment lie a zone's offset apart.
inline void ExpectAZoneApart(const CalendarFields& local, int64_t utc) {
    const int64_t offset = FieldsAsUtc(local) - utc;
    EXPECT_LE(offset, 14 * 3600) << utc;
    EXPECT_GE(offset, -14 * 3600) << utc;
    EXPECT_EQ(offset % 900, 0) << utc;
}

}  // namespace kelvo
