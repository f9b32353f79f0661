// The Win32 clock: UTC from the system, local fields through the time-zone
// rules of the date itself, and a calendar carry of its own because the
// system's conversions refuse out-of-range fields.
#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace kelvo {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t FloorDiv(int64_t value, int64_t divisor) {
    int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    int64_t era = FloorDiv(year, 400);
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
    days += 719468;
    int64_t era = FloorDiv(days, 146097);
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

// Carries every field into its range by the calendar: the fields are read as
// an offset from the first of the (carried) month.
bool CarryFields(const CalendarFields& fields, SYSTEMTIME& carried) {
    int64_t monthIndex = static_cast<int64_t>(fields.year) * 12 + (fields.month - 1);
    int64_t year = FloorDiv(monthIndex, 12);
    int64_t month = monthIndex - year * 12 + 1;
    int64_t seconds = (DaysFromCivil(year, month, 1) + fields.day - 1) * kSecondsPerDay +
                      static_cast<int64_t>(fields.hour) * 3600 + static_cast<int64_t>(fields.minute) * 60 +
                      fields.second;
    int64_t days = FloorDiv(seconds, kSecondsPerDay);
    int64_t secondOfDay = seconds - days * kSecondsPerDay;
    int64_t day = 0;
    CivilFromDays(days, year, month, day);
    // SYSTEMTIME holds years 1601 to 30827 only.
    if (year < 1601 || year > 30827) return false;
    carried = SYSTEMTIME{};
    carried.wYear = static_cast<WORD>(year);
    carried.wMonth = static_cast<WORD>(month);
    carried.wDay = static_cast<WORD>(day);
    carried.wHour = static_cast<WORD>(secondOfDay / 3600);
    carried.wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
    carried.wSecond = static_cast<WORD>(secondOfDay % 60);
    return true;
}

FileTime TicksOf(const FILETIME& time) {
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

int64_t SecondsOf(const FILETIME& time) {
    return FloorDiv(static_cast<int64_t>(TicksOf(time)) - static_cast<int64_t>(kUnixEpochTicks),
                    static_cast<int64_t>(kTicksPerSecond));
}

}  // namespace

int64_t Win32Clock::Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return SecondsOf(now);
}

FileTime Win32Clock::NowTicks() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return TicksOf(now);
}

bool Win32Clock::UtcToLocal(int64_t utcSeconds, CalendarFields& local) {
    // FILETIME counts from 1601; SYSTEMTIME ends in 30827.
    const int64_t earliest = -static_cast<int64_t>(kUnixEpochTicks / kTicksPerSecond);
    const int64_t latest = 910670515199LL;  // 30827-12-31 23:59:59
    if (utcSeconds < earliest || utcSeconds > latest) return false;
    FileTime ticks = static_cast<FileTime>(utcSeconds - earliest) * kTicksPerSecond;
    FILETIME fileTime;
    fileTime.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME utc;
    SYSTEMTIME wallClock;
    if (!FileTimeToSystemTime(&fileTime, &utc)) return false;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &wallClock)) return false;
    local.year = wallClock.wYear;
    local.month = wallClock.wMonth;
    local.day = wallClock.wDay;
    local.hour = wallClock.wHour;
    local.minute = wallClock.wMinute;
    local.second = wallClock.wSecond;
    return true;
}

bool Win32Clock::LocalToUtc(const CalendarFields& local, int64_t& utcSeconds) {
    SYSTEMTIME wallClock;
    SYSTEMTIME utc;
    FILETIME fileTime;
    if (!CarryFields(local, wallClock)) return false;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &wallClock, &utc)) return false;
    if (!SystemTimeToFileTime(&utc, &fileTime)) return false;
    utcSeconds = SecondsOf(fileTime);
    return true;
}

}  // namespace kelvo
