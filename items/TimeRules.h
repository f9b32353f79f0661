// Times taken from the item itself: each of the three times left as it is,
// made equal to another of the item's times, or shifted by one offset. The
// rules of the "日時の調整" dialog, and how one item's new times follow
// from the times its update read.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace kelvo {

// The kinds in the order of the main window's rows: creation, modification, access.
enum TimeKind { kCreationTime, kModificationTime, kAccessTime, kTimeKindCount };

enum class TimeRule { Leave, FromCreation, FromModification, FromAccess, Shift };

// The job of a time-adjust run. `offset` is signed, in 100 ns ticks, and
// applies to every row whose rule is Shift.
struct TimeAdjust {
    std::array<TimeRule, kTimeKindCount> rules{TimeRule::Leave, TimeRule::Leave, TimeRule::Leave};
    int64_t offset = 0;

    // True when some row changes its time: the job is then a time adjust.
    bool Active() const;
};

// The kind a From rule copies; kTimeKindCount for Leave and Shift.
TimeKind SourceOf(TimeRule rule);

// The three times of one item, indexed by TimeKind.
using ItemTimes = std::array<FileTime, kTimeKindCount>;

// The times the system stores: 1 tick after 1601-01-01 00:00:00 UTC up to
// the largest signed 64-bit count. 0 and the two largest unsigned values
// are the system's "leave as it is" and never a time of an item.
inline constexpr FileTime kFirstStoredTime = 1;
inline constexpr FileTime kLastStoredTime = 0x7FFFFFFFFFFFFFFFull;

// The item's new times in two steps: every Shift row gets its own time
// plus the offset, then every From row takes its source's value after the
// first step (so a swap of two times by two From rows swaps them). Leave
// rows keep `own`. False when a row needs a time that isn't stored (0
// read) or its result lies outside kFirstStoredTime..kLastStoredTime: the
// item is then to be left as it is.
bool AdjustTimes(const TimeAdjust& adjust, const ItemTimes& own, ItemTimes& result);

// The record's word for each kind ("creation", "modification", "access").
const char* TimeKindWord(TimeKind kind);

// The header line of one kind in a time-adjust run's record: "off", "from"
// and the source's word, or "shift" and the signed offset in ticks.
std::string AdjustRecordLine(const TimeAdjust& adjust, TimeKind kind);

// The status text of an item whose times were adjusted.
std::string AdjustedText(const std::string& dirText, const std::string& nameText);

}  // namespace kelvo
