// The value of a /C:, /M: or /T: option: a local date and time whose
// fields may each be "*" (the item's own), another time of the item ("=C",
// "=M", "=T"), or the item's own time shifted ("+9h", "-1d12h").
#pragma once
#include <cstdint>
#include <string>

#include "items/DateTimeFields.h"
#include "items/TimeRules.h"

namespace kelvo {

struct TimeArgument {
    enum class Form { Date, Copy, Shift };
    Form form = Form::Date;
    DateTimeFields fields;     // Date: the six texts, blank for "*"
    TimeKind source = kCreationTime;  // Copy
    int64_t offset = 0;        // Shift: signed, in 100 ns ticks
};

// False for a value that is none of the forms, or a date whose fields lie
// outside what the main window's date rows take.
bool ParseTimeArgument(const std::string& value, TimeArgument& argument);

}  // namespace kelvo
