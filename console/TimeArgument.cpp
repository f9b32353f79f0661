// Reading the forms of a time value.
#include "console/TimeArgument.h"

#include <cctype>
#include <limits>
#include <vector>

#include "panels/DateRowValidation.h"

namespace kelvo {

namespace {

constexpr int64_t kTicksPerSecondValue = 10000000;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// One field: "*" (blank) or its digits, `maxDigits` at most; `value` -1 for "*".
bool ReadField(const std::string& text, size_t maxDigits, std::string& field, int& value) {
    if (text == "*") {
        field.clear();
        value = -1;
        return true;
    }
    if (!AllDigits(text) || text.size() > maxDigits) return false;
    value = std::stoi(text);
    field = std::to_string(value);
    return true;
}

bool ParseDate(const std::string& value, DateTimeFields& fields) {
    // Either "yyyy-mm-ddThh:mm:ss" or "yyyy/mm/dd hh:mm:ss", the time of day optional.
    const bool dashed = value.find('-') != std::string::npos;
    const char dateSeparator = dashed ? '-' : '/';
    const char timeSeparator = dashed ? 'T' : ' ';
    std::string datePart = value, timePart;
    size_t split = std::string::npos;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = dashed ? static_cast<char>(std::toupper(static_cast<unsigned char>(value[i]))) : value[i];
        if (c == timeSeparator) {
            split = i;
            break;
        }
    }
    if (split != std::string::npos) {
        datePart = value.substr(0, split);
        timePart = value.substr(split + 1);
        if (timePart.empty()) return false;
    }
    const std::vector<std::string> date = Split(datePart, dateSeparator);
    if (date.size() != 3) return false;
    std::vector<std::string> time = {"0", "0", "0"};
    if (!timePart.empty()) {
        time = Split(timePart, ':');
        if (time.size() == 2) time.push_back("0");
        if (time.size() != 3) return false;
    }
    const std::string* parts[kDateFieldCount] = {&date[0], &date[1], &date[2], &time[0], &time[1], &time[2]};
    int values[kDateFieldCount];
    for (int i = 0; i < kDateFieldCount; ++i) {
        if (!ReadField(*parts[i], i == kYear ? 4 : 2, fields.texts[i], values[i])) return false;
        if (i == kYear && values[i] >= 0 && parts[i]->size() != 4) return false;
    }
    // The window's ranges, the day's by the month and year as given.
    for (int i = 0; i < kDateFieldCount; ++i) {
        if (values[i] < 0) continue;
        int high = kDateFieldLimits[i].high;
        if (i == kDay) high = DayMaximum(values[kMonth] < 0 ? 0 : values[kMonth], values[kYear] < 0 ? 0 : values[kYear]);
        if (values[i] < kDateFieldLimits[i].low || values[i] > high) return false;
    }
    // Past the last second the window's times can hold.
    bool beyondEdge = true;
    for (int i = 0; i < kDateFieldCount; ++i) beyondEdge = beyondEdge && values[i] >= kUpperEdge[i];
    return !beyondEdge;
}

bool ParseShift(const std::string& value, int64_t& offset) {
    const bool negative = value[0] == '-';
    static const char kUnits[] = {'D', 'H', 'M', 'S'};
    static const int64_t kUnitTicks[] = {86400 * kTicksPerSecondValue, 3600 * kTicksPerSecondValue,
                                         60 * kTicksPerSecondValue, kTicksPerSecondValue};
    size_t pos = 1;
    size_t nextUnit = 0;
    int64_t total = 0;
    bool any = false;
    while (pos < value.size()) {
        size_t end = pos;
        while (end < value.size() && std::isdigit(static_cast<unsigned char>(value[end]))) ++end;
        if (end == pos || end == value.size() || end - pos > 12) return false;
        const char unit = static_cast<char>(std::toupper(static_cast<unsigned char>(value[end])));
        size_t u = nextUnit;
        while (u < 4 && kUnits[u] != unit) ++u;
        if (u == 4) return false;
        const int64_t count = std::stoll(value.substr(pos, end - pos));
        if (count > (std::numeric_limits<int64_t>::max() - total) / kUnitTicks[u]) return false;
        total += count * kUnitTicks[u];
        nextUnit = u + 1;
        pos = end + 1;
        any = true;
    }
    if (!any) return false;
    offset = negative ? -total : total;
    return true;
}

}  // namespace

bool ParseTimeArgument(const std::string& value, TimeArgument& argument) {
    argument = TimeArgument();
    if (value.empty()) return false;
    if (value[0] == '=') {
        if (value.size() != 2) return false;
        switch (std::toupper(static_cast<unsigned char>(value[1]))) {
        case 'C': argument.source = kCreationTime; break;
        case 'M': argument.source = kModificationTime; break;
        case 'T': argument.source = kAccessTime; break;
        default: return false;
        }
        argument.form = TimeArgument::Form::Copy;
        return true;
    }
    if (value[0] == '+' || value[0] == '-') {
        argument.form = TimeArgument::Form::Shift;
        return ParseShift(value, argument.offset);
    }
    argument.form = TimeArgument::Form::Date;
    return ParseDate(value, argument.fields);
}

}  // namespace kelvo
