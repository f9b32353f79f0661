// The names of the change records and their order. A record is named
// "<sequence>-<start>.txt": a sequence number of at least eight decimal
// digits (zero-padded, from 1), then the run's local start to the
// millisecond, "00000042-20261209-153000-123.txt". The order of records is
// the order of their numbers, never of the clock, which can be set back or
// change its zone; the start only makes the name readable. A number is one
// above the highest there and is claimed by creating the file where no file
// has that name. Records named by their start alone ("20261209-153000-123.txt",
// as earlier versions did) and any other name count as older than every
// numbered one, in the order of their names.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/RecordStore.h"

namespace kelvo {

inline constexpr int kSequenceDigits = 8;

// The sequence number in a record's name; 0 for a name of any other form.
uint64_t RecordSequence(const std::string& name);

// The name of record number `sequence` (from 1) begun at `stamp`, the
// local start as "20261209-153000-123".
std::string NumberedRecordName(uint64_t sequence, const std::string& stamp);

// The store's records, oldest first: the order every caller that wants
// the newest or the oldest uses.
std::vector<std::string> RecordsOldestFirst(RecordStore& store);

// A new record begun at `stamp` under the next number, `name` telling which;
// null (and `name` empty) when none could be made. Where another instance
// made a record of the same number at the same moment (their starts differ,
// so both files could be made), this one gives its number up whenever it
// sees the other: at most one keeps a number, and where both see each other
// and give up, the one of the greater name goes two numbers on, so that
// they don't meet again.
std::unique_ptr<RecordWriter> CreateNumberedRecord(RecordStore& store, const std::string& stamp, std::string& name);

}  // namespace kelvo
