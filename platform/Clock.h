// The clock and the conversions between stored UTC times and local
// wall-clock fields. Local means the time-zone rules in force at the date
// converted, daylight saving included.
#pragma once
#include <cstdint>

#include "platform/FileSystem.h"

namespace kelvo {

// Local calendar fields. month 1-12, day of month 1-31. The values handed to
// LocalToUtc may lie outside their ranges; they carry by the calendar rules.
struct CalendarFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// 1970-01-01 00:00:00 UTC in FileTime ticks.
inline constexpr FileTime kUnixEpochTicks = 116444736000000000ull;
inline constexpr FileTime kTicksPerSecond = 10000000ull;

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00:00 UTC.
    virtual int64_t Now() = 0;
    // The same moment to the 100 nanoseconds, as a stored file time.
    virtual FileTime NowTicks() = 0;
    // UTC seconds to local calendar fields. False when the time can't be converted.
    virtual bool UtcToLocal(int64_t utcSeconds, CalendarFields& local) = 0;
    // Local calendar fields (carried when out of range) to UTC seconds.
    virtual bool LocalToUtc(const CalendarFields& local, int64_t& utcSeconds) = 0;
};

}  // namespace kelvo
