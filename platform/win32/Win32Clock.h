// The system clock and local time of a real Windows machine (or of Wine).
// Local time is the wall-clock time under the time-zone rules in force at
// the date converted (daylight saving of that date, not of today), in both
// directions.
#pragma once
#include "platform/Clock.h"

namespace kelvo {

class Win32Clock : public Clock {
public:
    int64_t Now() override;
    FileTime NowTicks() override;
    bool UtcToLocal(int64_t utcSeconds, CalendarFields& local) override;
    // Out-of-range fields carry first (April 31 is May 1, second 60 is the
    // next minute, month 13 is the next year's January, day 0 the last day
    // of the month before), then the zone rules of that date apply.
    bool LocalToUtc(const CalendarFields& local, int64_t& utcSeconds) override;
};

}  // namespace kelvo
