#include "platform/memory/MemoryClock.h"

#include <ctime>

namespace kelvo {

bool MemoryClock::UtcToLocal(int64_t utcSeconds, CalendarFields& local) {
    time_t t = static_cast<time_t>(utcSeconds);
    struct tm parts {};
    if (localtime_r(&t, &parts) == nullptr) return false;
    local.year = parts.tm_year + 1900;
    local.month = parts.tm_mon + 1;
    local.day = parts.tm_mday;
    local.hour = parts.tm_hour;
    local.minute = parts.tm_min;
    local.second = parts.tm_sec;
    return true;
}

bool MemoryClock::LocalToUtc(const CalendarFields& local, int64_t& utcSeconds) {
    struct tm parts {};
    parts.tm_year = local.year - 1900;
    parts.tm_mon = local.month - 1;
    parts.tm_mday = local.day;
    parts.tm_hour = local.hour;
    parts.tm_min = local.minute;
    parts.tm_sec = local.second;
    parts.tm_isdst = -1;
    time_t t = mktime(&parts);
    if (t == static_cast<time_t>(-1) && !(parts.tm_year == 69 && parts.tm_mon == 11 && parts.tm_mday == 31)) {
        return false;
    }
    utcSeconds = static_cast<int64_t>(t);
    return true;
}

}  // namespace kelvo
