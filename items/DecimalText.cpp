// Decimal texts of the date fields.
#include "items/DecimalText.h"

#include <climits>

namespace kelvo {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int LeadingDecimalValue(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulated as a negative number so that INT_MIN is reachable too.
    long long value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        value = value * 10 - (text[pos] - '0');
        if (value < INT_MIN) {
            value = INT_MIN;
            break;
        }
    }
    if (negative) return static_cast<int>(value);
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}

std::string DecimalText(int value) { return std::to_string(value); }

}  // namespace kelvo
