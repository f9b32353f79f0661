// Calendar fields from six numbers, for the clock tests.
#pragma once
#include "platform/Clock.h"

namespace kelvo {

inline CalendarFields CalendarFieldsOf(int year, int month, int day, int hour, int minute, int second) {
    CalendarFields fields;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    return fields;
}

}  // namespace kelvo
