// Record names by sequence number, and the claiming of the next number.
#include "run/RecordNames.h"

#include <algorithm>
#include <cstdio>

namespace kelvo {

namespace {

// Numbers tried before giving up (a folder that refuses every file).
constexpr int kClaimTries = 8;
// "20261209-153000-123".
constexpr size_t kStampLength = 19;
// Enough for any uint64_t.
constexpr size_t kMostSequenceDigits = 19;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsStamp(const std::string& text) {
    if (text.size() != kStampLength) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 15;
        if (dash ? text[i] != '-' : !IsDigit(text[i])) return false;
    }
    return true;
}

bool EndsWithTxt(const std::string& name) {
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".txt";
}

uint64_t HighestSequence(const std::vector<std::string>& names) {
    uint64_t highest = 0;
    for (const std::string& name : names) highest = std::max(highest, RecordSequence(name));
    return highest;
}

}  // namespace

uint64_t RecordSequence(const std::string& name) {
    const size_t dash = name.find('-');
    if (dash == std::string::npos || dash < static_cast<size_t>(kSequenceDigits) || dash > kMostSequenceDigits ||
        !EndsWithTxt(name) || !IsStamp(name.substr(dash + 1, name.size() - 4 - dash - 1))) {
        return 0;
    }
    uint64_t sequence = 0;
    for (size_t i = 0; i < dash; ++i) {
        if (!IsDigit(name[i])) return 0;
        const uint64_t digit = static_cast<uint64_t>(name[i] - '0');
        if (sequence > (UINT64_MAX - digit) / 10) return 0;
        sequence = sequence * 10 + digit;
    }
    return sequence;
}

std::string NumberedRecordName(uint64_t sequence, const std::string& stamp) {
    char number[24];
    std::snprintf(number, sizeof number, "%0*llu", kSequenceDigits, static_cast<unsigned long long>(sequence));
    return std::string(number) + "-" + stamp + ".txt";
}

std::vector<std::string> RecordsOldestFirst(RecordStore& store) {
    std::vector<std::string> names = store.Names();
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const uint64_t left = RecordSequence(a);
        const uint64_t right = RecordSequence(b);
        if (left != right) return left < right;
        return a < b;
    });
    return names;
}

std::unique_ptr<RecordWriter> CreateNumberedRecord(RecordStore& store, const std::string& stamp, std::string& name) {
    uint64_t next = 1;
    for (int attempt = 0; attempt < kClaimTries; ++attempt) {
        const uint64_t sequence = std::max(next, HighestSequence(store.Names()) + 1);
        name = NumberedRecordName(sequence, stamp);
        std::unique_ptr<RecordWriter> writer = store.Create(name);
        if (writer == nullptr) {
            next = sequence + 1;
            continue;
        }
        bool shared = false;
        bool greater = false;
        for (const std::string& other : store.Names()) {
            if (other == name || RecordSequence(other) != sequence) continue;
            shared = true;
            if (other < name) greater = true;
        }
        if (!shared) return writer;
        // The file is given up empty; a delete that fails leaves a file
        // without lines, which is no record to anyone.
        writer.reset();
        store.Delete(name);
        next = sequence + (greater ? 2 : 1);
    }
    name.clear();
    return nullptr;
}

}  // namespace kelvo
