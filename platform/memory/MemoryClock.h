// A clock for tests: a settable "now", and local-time conversions by the C
// runtime's rules for the zone in TZ (set TZ and call tzset to test a zone).
#pragma once
#include "platform/Clock.h"

namespace kelvo {

class MemoryClock : public Clock {
public:
    explicit MemoryClock(int64_t now = 1700000000) : now_(now) {}
    void SetNow(int64_t now) { now_ = now; }
    // A fraction of the second now is into, in 100-nanosecond ticks.
    void SetNowFraction(FileTime ticks) { fraction_ = ticks; }

    int64_t Now() override { return now_; }
    FileTime NowTicks() override {
        return kUnixEpochTicks + static_cast<FileTime>(now_) * kTicksPerSecond + fraction_;
    }
    bool UtcToLocal(int64_t utcSeconds, CalendarFields& local) override;
    bool LocalToUtc(const CalendarFields& local, int64_t& utcSeconds) override;

private:
    int64_t now_;
    FileTime fraction_ = 0;
};

}  // namespace kelvo
