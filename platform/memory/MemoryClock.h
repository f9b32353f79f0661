// A clock for tests: a settable "now", and local-time conversions by the C
// runtime's rules for the zone in TZ (set TZ and call tzset to test a zone).
#pragma once
#include "platform/Clock.h"

namespace kelvo {

class MemoryClock : public Clock {
public:
    explicit MemoryClock(int64_t now = 1700000000) : now_(now) {}
    void SetNow(int64_t now) { now_ = now; }

    int64_t Now() override { return now_; }
    bool UtcToLocal(int64_t utcSeconds, CalendarFields& local) override;
    bool LocalToUtc(const CalendarFields& local, int64_t& utcSeconds) override;

private:
    int64_t now_;
};

}  // namespace kelvo
