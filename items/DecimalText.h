// Decimal texts of the date fields: the leading number of a text as the C
// runtime's atoi reads it, and a number written back in plain decimal.
#pragma once
#include <string>

namespace kelvo {

// Skips leading white space, takes an optional sign and the digits that
// follow; 0 when no digit follows. Unlike atoi it never overflows: a number
// too long for an int stops growing at the int's limits.
int LeadingDecimalValue(const std::string& text);

// Plain decimal, no leading zeros, no separators ("%d").
std::string DecimalText(int value);

}  // namespace kelvo
