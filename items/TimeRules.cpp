// The new times of one item from its own: shifts first, then copies from
// the shifted values, every time to the 100 ns.
#include "items/TimeRules.h"

#include <algorithm>

namespace kelvo {

namespace {

const char* const kKindWords[kTimeKindCount] = {"creation", "modification", "access"};

bool Stored(FileTime time) { return time >= kFirstStoredTime && time <= kLastStoredTime; }

// own + offset, false where that leaves the stored range; worked out
// without a signed sum, which could wrap.
bool Shifted(FileTime own, int64_t offset, FileTime& result) {
    if (!Stored(own)) return false;
    if (offset >= 0) {
        if (static_cast<uint64_t>(offset) > kLastStoredTime - own) return false;
        result = own + static_cast<uint64_t>(offset);
        return true;
    }
    const uint64_t back = 0 - static_cast<uint64_t>(offset);
    if (back >= own) return false;
    result = own - back;
    return true;
}

}  // namespace

bool TimeAdjust::Active() const {
    return std::any_of(rules.begin(), rules.end(), [](TimeRule rule) { return rule != TimeRule::Leave; });
}

TimeKind SourceOf(TimeRule rule) {
    switch (rule) {
    case TimeRule::FromCreation: return kCreationTime;
    case TimeRule::FromModification: return kModificationTime;
    case TimeRule::FromAccess: return kAccessTime;
    default: return kTimeKindCount;
    }
}

bool AdjustTimes(const TimeAdjust& adjust, const ItemTimes& own, ItemTimes& result) {
    ItemTimes shifted = own;
    for (int kind = 0; kind < kTimeKindCount; ++kind) {
        if (adjust.rules[kind] == TimeRule::Shift && !Shifted(own[kind], adjust.offset, shifted[kind])) return false;
    }
    result = shifted;
    for (int kind = 0; kind < kTimeKindCount; ++kind) {
        const TimeKind source = SourceOf(adjust.rules[kind]);
        if (source == kTimeKindCount) continue;
        // A time the file system doesn't have is not one to copy.
        if (!Stored(shifted[source])) return false;
        result[kind] = shifted[source];
    }
    return true;
}

const char* TimeKindWord(TimeKind kind) { return kKindWords[kind]; }

std::string AdjustRecordLine(const TimeAdjust& adjust, TimeKind kind) {
    std::string line = kKindWords[kind];
    const TimeRule rule = adjust.rules[kind];
    if (rule == TimeRule::Leave) return line + "\toff";
    if (rule == TimeRule::Shift) {
        const std::string sign = adjust.offset < 0 ? "-" : "+";
        const uint64_t magnitude = adjust.offset < 0 ? 0 - static_cast<uint64_t>(adjust.offset)
                                                     : static_cast<uint64_t>(adjust.offset);
        return line + "\tshift\t" + sign + std::to_string(magnitude);
    }
    return line + "\tfrom\t" + kKindWords[SourceOf(rule)];
}

std::string AdjustedText(const std::string& dirText, const std::string& nameText) {
    return "\"" + dirText + "\\" + nameText + "\"\n日時を調整しました。";
}

}  // namespace kelvo
