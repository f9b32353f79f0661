// The change record of one run, an undo or a preview, as it is written while
// the work goes: the header, one line per item changed, one per item left,
// and the end. Lines are held until the next flush: a run flushes before
// each item it changes (see RecordJournal) and at the end, so a run cut
// short leaves a record of what it did. Nothing else of the record is held
// in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "items/ChangeItem.h"
#include "items/ItemFailure.h"
#include "platform/Clock.h"
#include "platform/RecordStore.h"
#include "run/JobSettings.h"
#include "run/RecordFormat.h"
#include "run/RunSink.h"

namespace kelvo {

// How many records the store keeps: the newest, the one just begun among them.
inline constexpr size_t kRecordsKept = 20;

// The local calendar fields of a stored time (1970-01-01 where the clock
// can't convert it).
CalendarFields LocalFields(Clock& clock, FileTime time);

// The name of record number `sequence` begun at `start`: the number, then
// its local date and time to the millisecond,
// "00000042-20261209-153000-123.txt" (see run/RecordNames.h).
std::string RecordName(Clock& clock, FileTime start, uint64_t sequence);

// The lines that state a job: the attribute choices, the three date rows
// and the rename rules.
std::vector<std::string> JobLines(const JobSettings& job);

class RunRecord {
public:
    // Begins a new record in `store` under the next sequence number, named
    // also by the start time, and prunes the records (run/RecordPruning.h,
    // kRecordsKept of each kind). Null when no record can be made.
    static std::unique_ptr<RunRecord> Begin(RecordStore& store, Clock& clock);

    RunRecord(RecordStore& store, std::unique_ptr<RecordWriter> writer, std::string name, FileTime start);

    const std::string& Name() const { return name_; }
    // Each changed and left line is told to `sink` as well, where there is one.
    void EchoTo(RunSink* sink) { echo_ = sink; }
    FileTime Start() const { return start_; }

    // A line as it stands: the header's.
    void Write(const std::string& line) { writer_->Append(line); }
    void Changed(const ChangedItem& item);
    // The changed line of an item that was renamed (`renamed`) or whose
    // update wrote it (the trace tells its state before and after; for a
    // rename alone, the state its listing gave); nothing for an item neither.
    void Item(bool isFolder, const std::string& pathBefore, const std::string& pathAfter, bool renamed,
              const ItemTrace& trace);
    // A left line with the system's message for `code`.
    void Left(const std::string& path, uint32_t code);
    // A left line for each failure from `from` on, which then points past them.
    void LeftSince(const std::vector<ItemFailure>& failures, size_t& from);
    // A left line with a reason of the program's own instead of the system's message.
    void LeftBecause(const std::string& path, const std::string& reason);
    // Hands what is held to the file in one write; false, and from then on,
    // when the file refused a write.
    bool Flush();
    bool Failed() const { return failed_; }
    void End(bool finished);
    // The record is dropped: nothing was done (a target the run refused).
    void Discard();

    long ChangedCount() const { return changed_; }
    long LeftCount() const { return left_; }

private:
    RecordStore& store_;
    std::unique_ptr<RecordWriter> writer_;
    const std::string name_;
    const FileTime start_;
    long changed_ = 0;
    long left_ = 0;
    bool failed_ = false;
    RunSink* echo_ = nullptr;
};

}  // namespace kelvo
