// One date row's validation on six arbitrary texts. Written back the way the
// window does it (each write-back re-validates the row at once, before the
// outer pass writes its next correction), the row always comes to rest; a
// further validation of the result then finds nothing to correct, and every
// non-blank field that starts with a number holds a value in its range.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzInput.h"
#include "items/DecimalText.h"
#include "panels/DateRowValidation.h"

namespace {

using kelvo::DateRowTexts;

// Far more than any row needs: a pass writes at most six fields.
constexpr int kMaxDepth = 64;
constexpr int kMaxWrites = 4096;

struct Settle {
    int writes = 0;
    int deepest = 0;
};

void Validate(DateRowTexts& texts, int depth, Settle& settle) {
    KELVO_FUZZ_CHECK(depth <= kMaxDepth);
    if (depth > settle.deepest) settle.deepest = depth;
    const DateRowTexts read = texts;
    const kelvo::DateRowCheck check = kelvo::CheckDateRow(read);
    for (int field = 0; field < kelvo::kDateFieldCount; ++field) {
        KELVO_FUZZ_CHECK(check.readOnly[field] == texts[field].empty());
    }
    KELVO_FUZZ_CHECK(check.dayChecked == !texts[kelvo::kDay].empty());
    if (check.dayChecked) KELVO_FUZZ_CHECK(check.dayMaximum >= 28 && check.dayMaximum <= 31);
    for (int field = 0; field < kelvo::kDateFieldCount; ++field) {
        const std::string& correction = check.corrections[field];
        if (correction.empty()) continue;
        // A correction that repeated the text it corrects would be written
        // and validated again by the window, for ever. (A nested pass may
        // already have written it: then the write is a harmless repeat.)
        KELVO_FUZZ_CHECK(correction != read[field]);
        KELVO_FUZZ_CHECK(++settle.writes <= kMaxWrites);
        texts[field] = correction;
        Validate(texts, depth + 1, settle);
    }
}

// What each field accepts, year to second.
constexpr int kLow[kelvo::kDateFieldCount] = {1980, 1, 1, 0, 0, 0};
constexpr int kHigh[kelvo::kDateFieldCount] = {2038, 12, 31, 23, 59, 59};
// The first moment past what 32-bit seconds hold, field by field:
// 2038-01-19 03:14:08.
constexpr int kPastLastSecond[kelvo::kDateFieldCount] = {2038, 1, 19, 3, 14, 8};

// Days of the month as the row counts them: February has 29 in years
// divisible by 4 (year 0 included), a month out of 1-12 has 31.
int DaysIn(int month, int year) {
    if (month == 2) return year % 4 == 0 ? 29 : 28;
    if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
    return 31;
}

bool StartsWithNumber(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    return pos < text.size() && text[pos] >= '0' && text[pos] <= '9';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> parts = kelvo::fuzz::SplitTexts(data, size, kelvo::kDateFieldCount);
    DateRowTexts texts;
    for (int field = 0; field < kelvo::kDateFieldCount; ++field) texts[field] = parts[field];
    const DateRowTexts entered = texts;

    Settle settle;
    Validate(texts, 0, settle);
    const kelvo::DateRowCheck rest = kelvo::CheckDateRow(texts);
    for (int field = 0; field < kelvo::kDateFieldCount; ++field) {
        KELVO_FUZZ_CHECK(rest.corrections[field].empty());
        // Blank stays blank, filled stays filled.
        KELVO_FUZZ_CHECK(texts[field].empty() == entered[field].empty());
    }

    int values[kelvo::kDateFieldCount] = {};
    for (int field = 0; field < kelvo::kDateFieldCount; ++field) {
        values[field] = texts[field].empty() ? 0 : kelvo::LeadingDecimalValue(texts[field]);
    }
    for (int field = 0; field < kelvo::kDateFieldCount; ++field) {
        if (texts[field].empty()) continue;
        // Text that doesn't start with a number reads as 0, which the hour,
        // minute and second accept as it is.
        if (!StartsWithNumber(texts[field]) && values[field] == 0 && field >= kelvo::kHour) continue;
        int high = kHigh[field];
        if (field == kelvo::kDay) high = DaysIn(values[kelvo::kMonth], values[kelvo::kYear]);
        KELVO_FUZZ_CHECK(values[field] >= kLow[field] && values[field] <= high);
    }
    // A row at rest never names a moment past the last one 32-bit seconds hold.
    if (!texts[kelvo::kSecond].empty()) {
        bool allAtEdge = true;
        for (int field = 0; field < kelvo::kDateFieldCount; ++field) {
            if (values[field] < kPastLastSecond[field]) allAtEdge = false;
        }
        KELVO_FUZZ_CHECK(!allAtEdge);
    }
    return 0;
}
